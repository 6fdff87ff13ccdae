# Fails when a generator source includes a Qt header, or when the generator
# target's include path (INCLUDES) would let one compile.
file(GLOB sources "${SOURCE_DIR}/*.h" "${SOURCE_DIR}/*.cpp")
if(NOT sources)
  message(FATAL_ERROR "no generator sources found in ${SOURCE_DIR}")
endif()
foreach(source IN LISTS sources)
  file(STRINGS "${source}" qtIncludes REGEX "^[ \t]*#[ \t]*include[ \t]*[<\"](Q|qt)")
  if(qtIncludes)
    message(FATAL_ERROR "${source} includes Qt: ${qtIncludes}")
  endif()
endforeach()

set(includeFlags "")
foreach(dir IN LISTS INCLUDES)
  list(APPEND includeFlags "-I${dir}")
endforeach()

set(probe "${WORK_DIR}/qt-probe.cpp")
file(WRITE "${probe}" "#include <QString>\n#include \"NameGenerator.h\"\nint main() { return 0; }\n")
execute_process(COMMAND "${CXX}" -std=c++20 -fsyntax-only ${includeFlags} "${probe}"
                RESULT_VARIABLE qtResult OUTPUT_QUIET ERROR_QUIET)
if(qtResult EQUAL 0)
  message(FATAL_ERROR "a Qt header compiles with the generator's include path")
endif()

set(control "${WORK_DIR}/plain-probe.cpp")
file(WRITE "${control}" "#include \"NameGenerator.h\"\n#include \"KanaTables.h\"\nint main() { return 0; }\n")
execute_process(COMMAND "${CXX}" -std=c++20 -fsyntax-only ${includeFlags} "${control}"
                RESULT_VARIABLE plainResult ERROR_VARIABLE plainError)
if(NOT plainResult EQUAL 0)
  message(FATAL_ERROR "the generator headers do not compile on their own: ${plainError}")
endif()
