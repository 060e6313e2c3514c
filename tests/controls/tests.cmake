# One executable for the controls, the grid and the dialogs (Qt Test, offscreen).
quorvel_add_test(controls_tests QT
  SOURCES
    ${CMAKE_CURRENT_LIST_DIR}/ControlsTestMain.cpp
    ${CMAKE_CURRENT_LIST_DIR}/ExpEditTest.cpp
    ${CMAKE_CURRENT_LIST_DIR}/ControlsTest.cpp
    ${CMAKE_CURRENT_LIST_DIR}/GridTest.cpp
  LIBS quorvel_ui Qt6::Test quorvel_test_support quorvel_qt_test_main)
