# Map output and media inside the main window: export, clipboard and printing of the map
# section, sounds, videos and still pictures.
zl_add_test(zl_ausgabe_widget_test
  SOURCES ${CMAKE_CURRENT_LIST_DIR}/AusgabeFensterTest.cpp
  LIBS zl_mainwindow zl_fixtures Qt6::PrintSupport)
target_compile_definitions(zl_ausgabe_widget_test PRIVATE ZL_MEDIEN_DIR="${CMAKE_SOURCE_DIR}/data/Kartivo/")
