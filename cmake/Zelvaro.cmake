# Common settings for every target of the project.

add_library(zl_options INTERFACE)
target_compile_options(zl_options INTERFACE -Wall -Wextra)
target_compile_definitions(zl_options INTERFACE QT_NO_CAST_FROM_ASCII QT_NO_CAST_TO_ASCII)
if(ZL_SANITIZE)
  target_compile_options(zl_options INTERFACE -fsanitize=address,undefined -fno-omit-frame-pointer
                                              -fno-sanitize-recover=undefined)
  target_link_options(zl_options INTERFACE -fsanitize=address,undefined)
endif()

# zl_add_library(NAME <core|widgets> SOURCES ... [LIBS ...])
# A core library sees QtCore and QtGui only; widget code goes into a widgets library.
function(zl_add_library name kind)
  cmake_parse_arguments(ARG "" "" "SOURCES;LIBS" ${ARGN})
  add_library(${name} STATIC ${ARG_SOURCES})
  target_include_directories(${name} PUBLIC ${CMAKE_SOURCE_DIR})
  target_link_libraries(${name} PUBLIC zl_options Qt6::Core Qt6::Gui ${ARG_LIBS})
  if(kind STREQUAL "widgets")
    target_link_libraries(${name} PUBLIC Qt6::Widgets)
  elseif(NOT kind STREQUAL "core")
    message(FATAL_ERROR "zl_add_library: kind must be core or widgets, not ${kind}")
  endif()
endfunction()

# zl_add_test(NAME SOURCES ... LIBS ...): a GoogleTest executable registered with ctest.
# Tests run offscreen and find generated fixtures through ZL_TEST_TMP.
function(zl_add_test name)
  cmake_parse_arguments(ARG "" "" "SOURCES;LIBS" ${ARGN})
  add_executable(${name} ${ARG_SOURCES})
  target_link_libraries(${name} PRIVATE zl_options ${ARG_LIBS} zl_test_main)
  target_compile_definitions(${name} PRIVATE TEST_DATA_DIR="${CMAKE_CURRENT_SOURCE_DIR}/data")
  gtest_discover_tests(${name}
    DISCOVERY_TIMEOUT 60
    PROPERTIES ENVIRONMENT "QT_QPA_PLATFORM=offscreen;LC_ALL=C.UTF-8")
endfunction()

# zl_folder_libraries(BASE [CORE_LIBS ...] [WIDGET_LIBS ...] [EXCLUDE regex])
# A folder's headless units are its own .cpp files (target BASE_core), its windows
# those of its widgets/ subfolder (target BASE). A target without sources yet is an
# interface target, so the folder can be linked before its first unit exists.
function(zl_folder_libraries base)
  cmake_parse_arguments(ARG "" "EXCLUDE" "CORE_LIBS;WIDGET_LIBS" ${ARGN})
  file(GLOB core CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/*.cpp)
  file(GLOB widgets CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/widgets/*.cpp)
  if(ARG_EXCLUDE)
    list(FILTER core EXCLUDE REGEX "${ARG_EXCLUDE}")
    list(FILTER widgets EXCLUDE REGEX "${ARG_EXCLUDE}")
  endif()
  if(core)
    zl_add_library(${base}_core core SOURCES ${core} LIBS ${ARG_CORE_LIBS})
  else()
    add_library(${base}_core INTERFACE)
    target_include_directories(${base}_core INTERFACE ${CMAKE_SOURCE_DIR})
    target_link_libraries(${base}_core INTERFACE ${ARG_CORE_LIBS})
  endif()
  if(widgets)
    zl_add_library(${base} widgets SOURCES ${widgets} LIBS ${base}_core ${ARG_WIDGET_LIBS})
  else()
    add_library(${base} INTERFACE)
    target_link_libraries(${base} INTERFACE ${base}_core ${ARG_WIDGET_LIBS})
  endif()
endfunction()
