# The main window's frame: settings, the window and the start-up.
zl_add_test(mainwindow_frame_tests
  SOURCES ${CMAKE_CURRENT_LIST_DIR}/MainEinstellungenTest.cpp
          ${CMAKE_CURRENT_LIST_DIR}/MainFensterTest.cpp
  LIBS zl_mainwindow zl_fixtures Qt6::Test)
