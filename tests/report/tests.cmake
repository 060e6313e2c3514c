# The print mode: composition against a recording composer and the shipped
# form files (GoogleTest), and the preview, print job, PDF and the ToPrint
# task in-process (Qt Test, offscreen).
quorvel_add_test(report_tests
  SOURCES
    ${CMAKE_CURRENT_LIST_DIR}/ReportCompositionTest.cpp
    ${CMAKE_CURRENT_LIST_DIR}/ResultPagesTest.cpp
    ${CMAKE_CURRENT_LIST_DIR}/RecordingComposer.h
  LIBS quorvel_platform quorvel_core quorvel_test_support GTest::gtest_main)
target_compile_definitions(report_tests PRIVATE QUORVEL_PRNFILES="${PROJECT_SOURCE_DIR}/resources/PrnFiles")

quorvel_add_test(report_ui_tests QT
  SOURCES
    ${CMAKE_CURRENT_LIST_DIR}/ReportUiTestMain.cpp
    ${CMAKE_CURRENT_LIST_DIR}/PrintPreviewTest.cpp
    ${CMAKE_CURRENT_LIST_DIR}/PrintOutputTest.cpp
    ${CMAKE_CURRENT_LIST_DIR}/ResultFiguresTest.cpp
    ${CMAKE_CURRENT_LIST_DIR}/RecordingComposer.h
    ${CMAKE_CURRENT_LIST_DIR}/ReportTestSupport.h
  LIBS quorvel_ui Qt6::Test quorvel_test_support quorvel_qt_test_main)
target_compile_definitions(report_ui_tests PRIVATE QUORVEL_PRNFILES="${PROJECT_SOURCE_DIR}/resources/PrnFiles")
# The PDF tests run the headless tool.
add_dependencies(report_ui_tests quorvel-report)

# The report as a Word document: the Word sink's calls, the names the report
# uses against the template, and the example through the headless tool and
# LibreOffice (GoogleTest, no widgets).
quorvel_add_test(word_report_tests
  SOURCES
    ${CMAKE_CURRENT_LIST_DIR}/WordReportTest.cpp
    ${PROJECT_SOURCE_DIR}/tests/platform/WordTestSupport.cpp
    ${PROJECT_SOURCE_DIR}/tests/platform/WordTestSupport.h
  LIBS quorvel_platform quorvel_core quorvel_test_support GTest::gtest_main)
target_include_directories(word_report_tests PRIVATE ${PROJECT_SOURCE_DIR}/tests/platform)
target_compile_definitions(word_report_tests PRIVATE QUORVEL_PRNFILES="${PROJECT_SOURCE_DIR}/resources/PrnFiles")
add_dependencies(word_report_tests quorvel_word_template quorvel-report)

# The input-data pages (items 2-20): composition and frames.
quorvel_add_test(report_input_tests QT
  SOURCES
    ${CMAKE_CURRENT_LIST_DIR}/InputDataPagesTest.cpp
    ${CMAKE_CURRENT_LIST_DIR}/RecordingComposer.h
    ${CMAKE_CURRENT_LIST_DIR}/ReportTestSupport.h
  LIBS quorvel_ui Qt6::Test quorvel_test_support)
target_compile_definitions(report_input_tests PRIVATE QUORVEL_PRNFILES="${PROJECT_SOURCE_DIR}/resources/PrnFiles")

# The Word output through the ToPrint task: question, save dialog, progress and
# closing message, with the packed template (Qt Test, offscreen).
quorvel_add_test(word_output_tests QT
  SOURCES
    ${CMAKE_CURRENT_LIST_DIR}/WordOutputTest.cpp
    ${CMAKE_CURRENT_LIST_DIR}/ReportTestSupport.h
  LIBS quorvel_ui Qt6::Test quorvel_test_support quorvel_qt_test_main)
target_compile_definitions(word_output_tests PRIVATE QUORVEL_PRNFILES="${PROJECT_SOURCE_DIR}/resources/PrnFiles")
add_dependencies(word_output_tests quorvel_word_template)
