# The exercise engine: types, protocol and grade, answer generators, generation
# and evaluation, on generated tables and on the bundled atlas.
zl_add_test(exercise_engine_tests
  SOURCES ${CMAKE_CURRENT_LIST_DIR}/UebTypenTest.cpp
          ${CMAKE_CURRENT_LIST_DIR}/UebProtokollTest.cpp
          ${CMAKE_CURRENT_LIST_DIR}/UebAntwortenTest.cpp
          ${CMAKE_CURRENT_LIST_DIR}/UebungTest.cpp
          ${CMAKE_CURRENT_LIST_DIR}/UebAtlasTest.cpp
          ${CMAKE_CURRENT_LIST_DIR}/UebTestdaten.cpp
  LIBS zl_exercise_core zl_fixtures)
target_compile_definitions(exercise_engine_tests PRIVATE ZL_ATLAS_DIR="${CMAKE_BINARY_DIR}/Kartivo")
add_dependencies(exercise_engine_tests zl_atlas_daten)
