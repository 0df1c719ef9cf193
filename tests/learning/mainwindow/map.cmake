# The map selection and the learning map inside the main window (offscreen widgets).
if(EXISTS ${CMAKE_CURRENT_LIST_DIR}/MapSeitenTest.cpp)
  zl_add_test(zl_map_widget_test
    SOURCES ${CMAKE_CURRENT_LIST_DIR}/MapSeitenTest.cpp
    LIBS zl_mainwindow zl_fixtures)
endif()
