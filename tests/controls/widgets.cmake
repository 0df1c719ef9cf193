# The widget controls: colours, buttons, panels, small controls, folder dialog,
# printer pages and the screen check. Offscreen, they look at drawn pixels.
zl_add_test(controls_farben_tests
  SOURCES ${CMAKE_CURRENT_LIST_DIR}/FarbenTest.cpp
  LIBS zl_controls_core)
zl_add_test(controls_widgets_tests
  SOURCES ${CMAKE_CURRENT_LIST_DIR}/PixelHilfen.h
          ${CMAKE_CURRENT_LIST_DIR}/Buttons2Test.cpp
          ${CMAKE_CURRENT_LIST_DIR}/HoverPanelTest.cpp
          ${CMAKE_CURRENT_LIST_DIR}/SmallControlsTest.cpp
          ${CMAKE_CURRENT_LIST_DIR}/BrowseForFolderTest.cpp
          ${CMAKE_CURRENT_LIST_DIR}/DrucSpezTest.cpp
          ${CMAKE_CURRENT_LIST_DIR}/MinHi800Test.cpp
  LIBS zl_controls Qt6::Test)
