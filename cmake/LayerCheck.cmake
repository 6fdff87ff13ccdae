# The direction of dependency between the folders under src/, proven while building:
#
#   kanatsumugi_layer_check(<target>
#       USES <folder>...                 folders under src/ whose headers the target may include
#       [FORBIDDEN_LINKS <regex>]        linked targets, direct or inherited, that must not appear
#       [FORBIDDEN_INCLUDES <regex>]     <...> includes that must not appear in its sources
#       [UNREACHABLE_HEADER <header>])   a header its include path must not reach
#
# The link rule is checked once every target exists; the include rules run as a build step
# the target waits for, so a wrong include fails the build, not a test run later.

set(KANATSUMUGI_LAYER_SCRIPT ${CMAKE_CURRENT_LIST_DIR}/LayerCheckScript.cmake)

function(kanatsumugi_layer_check target)
  cmake_parse_arguments(PARSE_ARGV 1 ARG "" "FORBIDDEN_LINKS;FORBIDDEN_INCLUDES;UNREACHABLE_HEADER" "USES")
  get_target_property(sourceDir ${target} SOURCE_DIR)
  get_target_property(sources ${target} SOURCES)
  list(FILTER sources INCLUDE REGEX "\\.(h|cpp)$")
  list(TRANSFORM sources PREPEND ${sourceDir}/ REGEX "^[^/]")

  if(ARG_FORBIDDEN_LINKS)
    # Deferred arguments are read when the call runs; EVAL fixes them now.
    cmake_language(EVAL CODE "cmake_language(DEFER DIRECTORY [[${PROJECT_SOURCE_DIR}]]
      CALL _kanatsumugi_check_links [[${target}]] [[${target}]] [[${ARG_FORBIDDEN_LINKS}]])")
  endif()

  set(stamp ${CMAKE_CURRENT_BINARY_DIR}/${target}-layer.stamp)
  add_custom_command(
    OUTPUT ${stamp}
    COMMAND ${CMAKE_COMMAND}
            "-DTARGET=${target}"
            "-DSOURCES=${sources}"
            "-DUSES=${ARG_USES}"
            "-DFORBIDDEN_INCLUDES=${ARG_FORBIDDEN_INCLUDES}"
            "-DUNREACHABLE_HEADER=${ARG_UNREACHABLE_HEADER}"
            "-DINCLUDES=$<JOIN:$<TARGET_PROPERTY:${target},INCLUDE_DIRECTORIES>,|>"
            "-DCXX=${CMAKE_CXX_COMPILER}" "-DSTAMP=${stamp}"
            -P ${KANATSUMUGI_LAYER_SCRIPT}
    DEPENDS ${sources} ${KANATSUMUGI_LAYER_SCRIPT}
    COMMENT "Checking the layering of ${target}"
    VERBATIM)
  add_custom_target(${target}_layer_check DEPENDS ${stamp})
  add_dependencies(${target} ${target}_layer_check)
endfunction()

# Walks the link closure, through the project's own targets, at the end of configuration.
function(_kanatsumugi_check_links owner target forbidden)
  foreach(property LINK_LIBRARIES INTERFACE_LINK_LIBRARIES)
    get_target_property(links ${target} ${property})
    if(NOT links)
      continue()
    endif()
    foreach(link IN LISTS links)
      if(link MATCHES "${forbidden}")
        message(FATAL_ERROR "${owner} must not link ${link} (reached through ${target})")
      endif()
      if(TARGET ${link})
        get_target_property(imported ${link} IMPORTED)
        if(NOT imported)
          _kanatsumugi_check_links(${owner} ${link} "${forbidden}")
        endif()
      endif()
    endforeach()
  endforeach()
endfunction()
