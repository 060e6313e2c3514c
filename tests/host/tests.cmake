# Host files, number texts, splitter, string table, colour file (GoogleTest).
quorvel_add_test(host_tests
  SOURCES
    ${CMAKE_CURRENT_LIST_DIR}/NumberTextTest.cpp
    ${CMAKE_CURRENT_LIST_DIR}/StringSplitTest.cpp
    ${CMAKE_CURRENT_LIST_DIR}/HostTextFileTest.cpp
    ${CMAKE_CURRENT_LIST_DIR}/StringTableTest.cpp
    ${CMAKE_CURRENT_LIST_DIR}/ColourFileTest.cpp
  LIBS quorvel_core quorvel_test_support GTest::gtest_main)
