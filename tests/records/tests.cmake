# Project records: primitives, every record, the example project, mutations.
quorvel_add_test(records_tests
  SOURCES
    ${CMAKE_CURRENT_LIST_DIR}/RecordReaderTest.cpp
    ${CMAKE_CURRENT_LIST_DIR}/RecordsTest.cpp
    ${CMAKE_CURRENT_LIST_DIR}/ProjectTest.cpp
  LIBS quorvel_core quorvel_test_support GTest::gtest_main)
