# Start-up, memory and press figures of the window program; run bench/window-startup.sh.
find_package(Qt6 6.4 REQUIRED COMPONENTS Widgets Test)

add_executable(startup_baseline ${CMAKE_CURRENT_LIST_DIR}/startup_baseline.cpp)
target_link_libraries(startup_baseline PRIVATE Qt6::Widgets kanatsumugi_options)

add_executable(startup_map_timer ${CMAKE_CURRENT_LIST_DIR}/startup_map_timer.cpp)
target_link_libraries(startup_map_timer PRIVATE xcb kanatsumugi_options)

add_executable(window_press ${CMAKE_CURRENT_LIST_DIR}/window_press.cpp)
set_target_properties(window_press PROPERTIES AUTOMOC ON)
target_link_libraries(window_press PRIVATE window Qt6::Test)
