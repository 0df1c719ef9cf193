# The string grid scrolling under its fixed rows (offscreen, drawn pixels).
zl_add_test(controls_grid_tests
  SOURCES ${CMAKE_CURRENT_LIST_DIR}/PixelHilfen.h
          ${CMAKE_CURRENT_LIST_DIR}/StringGrid2FesteZeilenTest.cpp
  LIBS zl_controls Qt6::Test)
