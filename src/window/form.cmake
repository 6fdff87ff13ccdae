# The main window, the application shell and the executable.
add_library(window STATIC
  ${CMAKE_CURRENT_LIST_DIR}/Accessibility.h ${CMAKE_CURRENT_LIST_DIR}/Accessibility.cpp
  ${CMAKE_CURRENT_LIST_DIR}/ControlCheckBox.h ${CMAKE_CURRENT_LIST_DIR}/ControlCheckBox.cpp
  ${CMAKE_CURRENT_LIST_DIR}/DesktopSession.h ${CMAKE_CURRENT_LIST_DIR}/DesktopSession.cpp
  ${CMAKE_CURRENT_LIST_DIR}/DisplayCheck.h ${CMAKE_CURRENT_LIST_DIR}/DisplayCheck.cpp
  ${CMAKE_CURRENT_LIST_DIR}/ErrorReport.h ${CMAKE_CURRENT_LIST_DIR}/ErrorReport.cpp
  ${CMAKE_CURRENT_LIST_DIR}/Guard.h ${CMAKE_CURRENT_LIST_DIR}/Guard.cpp
  ${CMAKE_CURRENT_LIST_DIR}/GuardedApplication.h ${CMAKE_CURRENT_LIST_DIR}/GuardedApplication.cpp
  ${CMAKE_CURRENT_LIST_DIR}/KeyboardModel.h ${CMAKE_CURRENT_LIST_DIR}/KeyboardModel.cpp
  ${CMAKE_CURRENT_LIST_DIR}/LayoutScaling.h ${CMAKE_CURRENT_LIST_DIR}/LayoutScaling.cpp
  ${CMAKE_CURRENT_LIST_DIR}/PlatformStartGuard.h ${CMAKE_CURRENT_LIST_DIR}/PlatformStartGuard.cpp
  ${CMAKE_CURRENT_LIST_DIR}/QuitRequest.h ${CMAKE_CURRENT_LIST_DIR}/QuitRequest.cpp
  ${CMAKE_CURRENT_LIST_DIR}/ShiftJisText.h ${CMAKE_CURRENT_LIST_DIR}/ShiftJisText.cpp
  ${CMAKE_CURRENT_LIST_DIR}/Shell.h ${CMAKE_CURRENT_LIST_DIR}/Shell.cpp
  ${CMAKE_CURRENT_LIST_DIR}/TerminationSignals.h ${CMAKE_CURRENT_LIST_DIR}/TerminationSignals.cpp
  ${CMAKE_CURRENT_LIST_DIR}/TForm1.h ${CMAKE_CURRENT_LIST_DIR}/TForm1.cpp
  ${CMAKE_CURRENT_LIST_DIR}/TForm1.ui
)
target_include_directories(window PUBLIC ${CMAKE_CURRENT_LIST_DIR})
target_link_libraries(window PUBLIC spinedit stock generator Qt6::Widgets kanatsumugi_options)

# The icon is compiled into the executable itself: a resource in the static library
# would be dropped by the linker, since nothing refers to it by name.
add_executable(kanatsumugi ${CMAKE_CURRENT_LIST_DIR}/main.cpp ${CMAKE_CURRENT_LIST_DIR}/kanatsumugi.qrc)
set_target_properties(kanatsumugi PROPERTIES AUTORCC ON)
target_link_libraries(kanatsumugi PRIVATE window)
