# The Word-output module: document writer, template and package check
# (GoogleTest, no Qt); LibreOffice opens the report's documents in word_report_tests.
quorvel_add_test(word_writer_tests
  SOURCES
    ${CMAKE_CURRENT_LIST_DIR}/WordTestSupport.cpp
    ${CMAKE_CURRENT_LIST_DIR}/WordTestSupport.h
    ${CMAKE_CURRENT_LIST_DIR}/WordDocumentWriterTest.cpp
    ${CMAKE_CURRENT_LIST_DIR}/WordTemplateTest.cpp
  LIBS quorvel_word quorvel_test_support pugixml::pugixml GTest::gtest_main)
# The tests open the packed template and run the packer.
add_dependencies(word_writer_tests quorvel_word_template quorvel-pack-template)
target_compile_definitions(word_writer_tests PRIVATE
  QUORVEL_WORD_TEMPLATE_PARTS_DIR="${PROJECT_SOURCE_DIR}/resources/PrnFiles/Drevia.docm.d")

# Form-file parser and the shipped form files (std only, no widgets).
quorvel_add_test(kvf_tests
  SOURCES
    ${CMAKE_CURRENT_LIST_DIR}/KavletFormTest.cpp
  LIBS quorvel_core quorvel_test_support GTest::gtest_main)
target_compile_definitions(kvf_tests PRIVATE QUORVEL_PRNFILES="${PROJECT_SOURCE_DIR}/resources/PrnFiles")

# The composition half of the page composer (std only) on the shipped form files.
quorvel_add_test(kavlet_composer_tests
  SOURCES
    ${CMAKE_CURRENT_LIST_DIR}/KavletComposerTest.cpp
  LIBS quorvel_core GTest::gtest_main)
target_compile_definitions(kavlet_composer_tests PRIVATE QUORVEL_PRNFILES="${PROJECT_SOURCE_DIR}/resources/PrnFiles")
