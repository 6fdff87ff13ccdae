# The length spin box and the alert-sound seam.
add_library(spinedit STATIC
  AlertSound.h AlertSound.cpp
  SpinArrowButton.h SpinArrowButton.cpp
  SpinEdit.h SpinEdit.cpp
  SpinInputFilter.h SpinInputFilter.cpp
  SpinLineEdit.h SpinLineEdit.cpp
  SpinTextNumber.h SpinTextNumber.cpp
)
target_include_directories(spinedit PUBLIC ${CMAKE_CURRENT_SOURCE_DIR})
target_link_libraries(spinedit PUBLIC Qt6::Widgets kanatsumugi_options)
