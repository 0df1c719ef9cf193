# The map-label editor shared by both programs: its rules without a window, and the
# window inside Kartivo on a copy of the bundled atlas's label file.
if(TARGET zl_objedit_core)
  zl_add_test(zl_objedit_core_test
    SOURCES ${CMAKE_CURRENT_LIST_DIR}/ObjEditTest.cpp
    LIBS zl_objedit_core)
endif()
if(TARGET zl_objedit AND TARGET zl_mainwindow)
  zl_add_test(zl_objedit_widget_test
    SOURCES ${CMAKE_CURRENT_LIST_DIR}/ObjEditFensterTest.cpp
    LIBS zl_mainwindow zl_objedit Qt6::Test)
  target_compile_definitions(zl_objedit_widget_test PRIVATE ZL_ATLAS_DIR="${CMAKE_SOURCE_DIR}/data")
endif()
