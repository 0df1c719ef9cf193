# Map output and media: export, clipboard and printing of the map section (headless core
# and inside the main window), sounds, videos and still pictures.
if(TARGET zl_mainwindow_core AND TARGET zl_fixtures)
  zl_add_test(zl_ausgabe_core_test
    SOURCES ${CMAKE_CURRENT_LIST_DIR}/AusgabeTest.cpp
    LIBS zl_mainwindow_core zl_fixtures)
endif()
if(TARGET zl_mainwindow AND TARGET zl_fixtures)
  zl_add_test(zl_ausgabe_widget_test
    SOURCES ${CMAKE_CURRENT_LIST_DIR}/AusgabeFensterTest.cpp
    LIBS zl_mainwindow zl_fixtures Qt6::PrintSupport)
  target_compile_definitions(zl_ausgabe_widget_test PRIVATE ZL_MEDIEN_DIR="${CMAKE_SOURCE_DIR}/data/Kartivo/")
endif()
