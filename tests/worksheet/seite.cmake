# The worksheet page (headless) and Foliavo's windows, printing and export (offscreen widgets).
if(TARGET zl_worksheet_core)
  zl_add_test(worksheet_seite_tests
    SOURCES ${CMAKE_CURRENT_LIST_DIR}/AbSeiteTest.cpp
            ${CMAKE_CURRENT_LIST_DIR}/AbEinstellungenTest.cpp
    LIBS zl_worksheet_core)
  target_compile_definitions(worksheet_seite_tests PRIVATE ZL_FOLIAVO_DIR="${ZL_FOLIAVO_DIR}")
  add_dependencies(worksheet_seite_tests zl_atlas_daten)
endif()
if(TARGET zl_worksheet)
  zl_add_test(worksheet_fenster_tests
    SOURCES ${CMAKE_CURRENT_LIST_DIR}/AbFensterTest.cpp
    LIBS zl_worksheet Qt6::PrintSupport)
  target_compile_definitions(worksheet_fenster_tests PRIVATE ZL_FOLIAVO_DIR="${ZL_FOLIAVO_DIR}")
  add_dependencies(worksheet_fenster_tests zl_atlas_daten)
endif()
