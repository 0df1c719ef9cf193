# The windows' state and its rules (view modes, menu states, leave check, captions, keys)
# and the frame's dressing arithmetic, without windows.
zl_add_test(mapview_state_tests
  SOURCES ${CMAKE_CURRENT_LIST_DIR}/MainZustandTest.cpp
          ${CMAKE_CURRENT_LIST_DIR}/MainRahmenTest.cpp
  LIBS zl_mapview_core)
