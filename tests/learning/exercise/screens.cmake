# The exercise screens: display rules (headless) and the windows driven offscreen
# on the fixture and on the bundled atlas.
zl_add_test(exercise_display_test
  SOURCES ${CMAKE_CURRENT_LIST_DIR}/UebAnzeigeTest.cpp
  LIBS zl_exercise_core)
zl_add_test(exercise_screens_test
  SOURCES ${CMAKE_CURRENT_LIST_DIR}/UebFensterTest.cpp
          ${CMAKE_CURRENT_LIST_DIR}/UebTestdaten.cpp
  LIBS zl_exercise zl_mainwindow zl_fixtures Qt6::Test Qt6::PrintSupport)
target_compile_definitions(exercise_screens_test PRIVATE ZL_ATLAS_DIR="${ZL_KARTIVO_DIR}/")
add_dependencies(exercise_screens_test zl_atlas_daten)

# The exercise screen and the selection on a stand-in for the main window, without Kartivo.
zl_add_test(exercise_host_tests
  SOURCES ${CMAKE_CURRENT_LIST_DIR}/UebHostTest.cpp
          ${CMAKE_CURRENT_LIST_DIR}/UebTestdaten.cpp
  LIBS zl_exercise Qt6::Test)
