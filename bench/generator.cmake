# Generator and command-line benchmarks; built with the project, never run by ctest.
add_executable(generator_bench ${CMAKE_CURRENT_LIST_DIR}/generator_bench.cpp)
target_link_libraries(generator_bench PRIVATE generator benchmark::benchmark)

# `cmake --build <dir> --target bench-cli-whole-day`: every name of a day, timed.
add_custom_target(bench-cli-whole-day
  COMMAND ${CMAKE_CURRENT_LIST_DIR}/cli-whole-day.sh $<TARGET_FILE:kanatsumugi-cli>
          $<TARGET_FILE:cli_plain_loop>
  DEPENDS kanatsumugi-cli cli_plain_loop
  USES_TERMINAL)

add_executable(cli_plain_loop ${CMAKE_CURRENT_LIST_DIR}/cli_plain_loop.cpp)
target_link_libraries(cli_plain_loop PRIVATE generator)
