# The map view's headless core: label renderer, viewport, learning lists, page geometry
# and the learning-map picture.
zl_add_test(zl_map_core_test
  SOURCES ${CMAKE_CURRENT_LIST_DIR}/MapAufzeichnung.cpp
          ${CMAKE_CURRENT_LIST_DIR}/MapBeschriftungTest.cpp
          ${CMAKE_CURRENT_LIST_DIR}/MapViewportTest.cpp
          ${CMAKE_CURRENT_LIST_DIR}/MapLernlistenTest.cpp
          ${CMAKE_CURRENT_LIST_DIR}/MapLernkartenbildTest.cpp
  LIBS zl_mapview_core zl_fixtures)
