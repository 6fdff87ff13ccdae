# The main window and the application shell, on the offscreen platform.
set(_kana_form_tests TestForm1 TestShell)
foreach(_test IN LISTS _kana_form_tests)
  add_executable(${_test} ${CMAKE_CURRENT_LIST_DIR}/${_test}.cpp
                 ${CMAKE_CURRENT_LIST_DIR}/FixedClock.h ${CMAKE_CURRENT_LIST_DIR}/RecordedErrorBoxes.h)
  target_link_libraries(${_test} PRIVATE window Qt6::Test)
endforeach()

add_test(NAME window.form COMMAND TestForm1)
# Root reads every file, so the unreadable-stock case runs as nobody when it can.
add_test(NAME window.shell
         COMMAND sh -c "if [ \"$(id -u)\" = 0 ]; then exec setpriv --reuid=65534 --regid=65534 --clear-groups \"$@\"; else exec \"$@\"; fi"
                 sh $<TARGET_FILE:TestShell>)
set_tests_properties(window.form window.shell PROPERTIES
                     ENVIRONMENT "QT_QPA_PLATFORM=offscreen" TIMEOUT 60)
