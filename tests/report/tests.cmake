# The print mode: composition against a recording composer and the shipped
# form files (GoogleTest), and the preview, print job, PDF and the ToPrint
# task in-process (Qt Test, offscreen).
quorvel_add_test(report_tests
  SOURCES
    ${CMAKE_CURRENT_LIST_DIR}/ReportCompositionTest.cpp
    ${CMAKE_CURRENT_LIST_DIR}/RecordingComposer.h
  LIBS quorvel_platform quorvel_core quorvel_test_support GTest::gtest_main)
target_compile_definitions(report_tests PRIVATE QUORVEL_PRNFILES="${PROJECT_SOURCE_DIR}/resources/PrnFiles")
