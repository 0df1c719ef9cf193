zl_add_test(textfile_tests
  SOURCES ${CMAKE_CURRENT_LIST_DIR}/TextFileTest.cpp
  LIBS zl_controls_core)
