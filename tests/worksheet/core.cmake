# The worksheet program's headless core: data module, composer, worksheet file, presets.
if(TARGET zl_worksheet_core)
  zl_add_test(worksheet_core_tests
    SOURCES ${CMAKE_CURRENT_LIST_DIR}/AbDataTest.cpp
            ${CMAKE_CURRENT_LIST_DIR}/AbKomponistTest.cpp
            ${CMAKE_CURRENT_LIST_DIR}/AbDateiTest.cpp
            ${CMAKE_CURRENT_LIST_DIR}/AbVoreinstellungenTest.cpp
            ${CMAKE_CURRENT_LIST_DIR}/AbBibliothekTest.cpp
    LIBS zl_worksheet_core)
  target_compile_definitions(worksheet_core_tests PRIVATE ZL_FOLIAVO_DIR="${ZL_FOLIAVO_DIR}")
  add_dependencies(worksheet_core_tests zl_atlas_daten)
endif()
