# Sliding puzzle and bookmarks: the engine and the stored bookmark value (headless),
# then the puzzle view and the bookmarks inside the main window (offscreen).
zl_add_test(zl_puzzle_core_test
  SOURCES ${CMAKE_CURRENT_LIST_DIR}/PuzzleEngineTest.cpp
          ${CMAKE_CURRENT_LIST_DIR}/LesezeichenDatenTest.cpp
  LIBS zl_tools_core)
if(TARGET zl_atlas_daten)
  zl_add_test(zl_puzzle_widget_test
    SOURCES ${CMAKE_CURRENT_LIST_DIR}/PuzzleFensterTest.cpp
    LIBS zl_mainwindow zl_fixtures Qt6::Test)
  target_compile_definitions(zl_puzzle_widget_test PRIVATE ZL_KARTIVO_DIR="${ZL_KARTIVO_DIR}")
  add_dependencies(zl_puzzle_widget_test zl_atlas_daten)
endif()
