# The natural-sound data against a whole day of names: writes the cuts for the derivation
# script (data/words/derive.py), and checks quality and cost.
add_executable(natural_day ${CMAKE_CURRENT_LIST_DIR}/natural_day.cpp)
target_link_libraries(natural_day PRIVATE lexicon)

# `cmake --build <dir> --target bench-natural`: AUC, shares per preset, nanoseconds a name.
add_custom_target(bench-natural
  COMMAND natural_day --data ${PROJECT_SOURCE_DIR}/data/words
  DEPENDS natural_day
  USES_TERMINAL)
