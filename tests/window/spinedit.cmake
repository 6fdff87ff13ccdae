# Tests of the length spin box. Widget tests run on the offscreen platform.
function(kanatsumugi_spin_test name)
  add_executable(${name} ${name}.cpp)
  target_link_libraries(${name} PRIVATE spinedit Qt6::Test kanatsumugi_options)
  add_test(NAME ${name} COMMAND ${name})
  set_tests_properties(${name} PROPERTIES ENVIRONMENT "QT_QPA_PLATFORM=offscreen" TIMEOUT 60)
endfunction()

kanatsumugi_spin_test(SpinTextNumberTest)
kanatsumugi_spin_test(SpinInputFilterTest)
kanatsumugi_spin_test(SpinEditLookTest)
kanatsumugi_spin_test(SpinEditTest)
kanatsumugi_spin_test(SpinArrowRepeatTest)

# The same look on a real X server, when one can be started.
find_program(KANATSUMUGI_XVFB_RUN xvfb-run)
if(KANATSUMUGI_XVFB_RUN)
  add_test(NAME SpinEditLookTestXvfb
           COMMAND ${KANATSUMUGI_XVFB_RUN} -a -s "-screen 0 640x480x24"
                   $<TARGET_FILE:SpinEditLookTest>)
  # No session bus: without one, D-Bus would try to autolaunch one through the X server.
  set_tests_properties(SpinEditLookTestXvfb PROPERTIES
    ENVIRONMENT "QT_QPA_PLATFORM=xcb;SPIN_LOOK_PNG=spinedit-look-xvfb.png;DBUS_SESSION_BUS_ADDRESS=disabled:"
    TIMEOUT 60)
endif()
