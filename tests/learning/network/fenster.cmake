# The class exercise's windows: teacher's protocol window and participants in one
# test on a temporary folder, the dialogs and their checks (offscreen).
zl_add_test(network_window_tests
  SOURCES ${CMAKE_CURRENT_LIST_DIR}/NetzFensterTest.cpp
  LIBS zl_network Qt6::PrintSupport Qt6::Test)

# The participant's join and the communication folder from the main window.
zl_add_test(network_mainwindow_tests
  SOURCES ${CMAKE_CURRENT_LIST_DIR}/NetzHauptfensterTest.cpp
  LIBS zl_mainwindow zl_fixtures Qt6::Test)

# A class exercise through the exercise windows on the bundled atlas.
zl_add_test(network_exercise_tests
  SOURCES ${CMAKE_CURRENT_LIST_DIR}/NetzUebungTest.cpp
  LIBS zl_mainwindow Qt6::Test)
target_compile_definitions(network_exercise_tests PRIVATE ZL_ATLAS_DIR="${ZL_KARTIVO_DIR}/")
