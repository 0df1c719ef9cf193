# Map selection and learning map: label renderer, viewport, learning lists, page geometry
# (headless), and the two pages inside the main window (offscreen widgets).
if(TARGET zl_mainwindow_core AND TARGET zl_fixtures)
  zl_add_test(zl_map_core_test
    SOURCES ${CMAKE_CURRENT_LIST_DIR}/MapAufzeichnung.cpp
            ${CMAKE_CURRENT_LIST_DIR}/MapBeschriftungTest.cpp
            ${CMAKE_CURRENT_LIST_DIR}/MapViewportTest.cpp
            ${CMAKE_CURRENT_LIST_DIR}/MapLernlistenTest.cpp
            ${CMAKE_CURRENT_LIST_DIR}/MapLernkartenbildTest.cpp
    LIBS zl_mainwindow_core zl_fixtures)
endif()
if(TARGET zl_mainwindow AND TARGET zl_fixtures AND EXISTS ${CMAKE_CURRENT_LIST_DIR}/MapSeitenTest.cpp)
  zl_add_test(zl_map_widget_test
    SOURCES ${CMAKE_CURRENT_LIST_DIR}/MapSeitenTest.cpp
    LIBS zl_mainwindow zl_fixtures)
endif()
