# Graph arithmetic (GoogleTest, no Qt).
quorvel_add_test(graph_layout_tests
  SOURCES ${CMAKE_CURRENT_LIST_DIR}/GraphLayoutTest.cpp
  LIBS quorvel_core GTest::gtest_main)
