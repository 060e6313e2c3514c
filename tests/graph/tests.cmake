# Graph arithmetic (GoogleTest, no Qt).
quorvel_add_test(graph_layout_tests
  SOURCES ${CMAKE_CURRENT_LIST_DIR}/GraphLayoutTest.cpp
  LIBS quorvel_core GTest::gtest_main)

# Renderer pixels, graph areas and the graph dialogs (Qt Test, offscreen).
quorvel_add_test(graph_ui_tests QT
  SOURCES
    ${CMAKE_CURRENT_LIST_DIR}/GraphTestMain.cpp
    ${CMAKE_CURRENT_LIST_DIR}/GraphDrawerTest.cpp
    ${CMAKE_CURRENT_LIST_DIR}/GraphAreaTest.cpp
    ${CMAKE_CURRENT_LIST_DIR}/ColourDialogsTest.cpp
  LIBS quorvel_ui Qt6::Test quorvel_test_support quorvel_qt_test_main)
