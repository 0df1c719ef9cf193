zl_add_test(dspez_tests
  SOURCES ${CMAKE_CURRENT_LIST_DIR}/DspezTest.cpp ${CMAKE_CURRENT_LIST_DIR}/ZufallTest.cpp
  LIBS zl_controls_core)
