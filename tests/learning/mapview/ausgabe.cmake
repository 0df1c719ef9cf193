# Map output without a window: export, clipboard data and the print layout of the map section.
zl_add_test(zl_ausgabe_core_test
  SOURCES ${CMAKE_CURRENT_LIST_DIR}/AusgabeTest.cpp
  LIBS zl_mapview_core zl_fixtures)
