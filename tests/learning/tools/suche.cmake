# Place-name search, country table and print layouts: the headless models, then
# the windows with printouts to PDF read back with poppler's tools.
zl_add_test(tools_suche_tests
  SOURCES ${CMAKE_CURRENT_LIST_DIR}/SuchmodellTest.cpp
          ${CMAKE_CURRENT_LIST_DIR}/LaendertabelleTest.cpp
          ${CMAKE_CURRENT_LIST_DIR}/DrucklayoutTest.cpp
  LIBS zl_tools_core)
zl_add_test(tools_suche_fenster_tests
  SOURCES ${CMAKE_SOURCE_DIR}/tests/PdfLesen.h
          ${CMAKE_CURRENT_LIST_DIR}/SucheFensterTest.cpp
          ${CMAKE_CURRENT_LIST_DIR}/DruckFensterTest.cpp
  LIBS zl_tools zl_mainwindow zl_fixtures Qt6::Test)

# The same windows on a stand-in for the main window, without Kartivo.
zl_add_test(tools_host_tests
  SOURCES ${CMAKE_CURRENT_LIST_DIR}/SucheHostTest.cpp
  LIBS zl_tools Qt6::Test)
