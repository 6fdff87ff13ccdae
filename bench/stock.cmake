# Stock file speed against plain file operations, side by side in one run (not run by ctest):
#   stock_bench [names]
add_executable(stock_bench ${CMAKE_CURRENT_LIST_DIR}/stock_bench.cpp)
target_link_libraries(stock_bench PRIVATE stock)
