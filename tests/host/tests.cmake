# Number texts, splitter, string table, host files, answers, start check and
# colour file (GoogleTest).
quorvel_add_test(host_tests
  SOURCES
    ${CMAKE_CURRENT_LIST_DIR}/TextsTest.cpp
    ${CMAKE_CURRENT_LIST_DIR}/HostFilesTest.cpp
  LIBS quorvel_core quorvel_test_support GTest::gtest_main)
