# The Word-output module: document writer, template, package check, and one
# round trip through LibreOffice (GoogleTest, no Qt).
quorvel_add_test(word_writer_tests
  SOURCES
    ${CMAKE_CURRENT_LIST_DIR}/WordTestSupport.cpp
    ${CMAKE_CURRENT_LIST_DIR}/WordTestSupport.h
    ${CMAKE_CURRENT_LIST_DIR}/WordDocumentWriterTest.cpp
    ${CMAKE_CURRENT_LIST_DIR}/WordTemplateTest.cpp
    ${CMAKE_CURRENT_LIST_DIR}/WordLibreOfficeTest.cpp
  LIBS quorvel_word quorvel_test_support pugixml::pugixml GTest::gtest_main)
# The tests open the packed template and run the packer.
add_dependencies(word_writer_tests quorvel_word_template quorvel-pack-template)
target_compile_definitions(word_writer_tests PRIVATE
  QUORVEL_WORD_TEMPLATE_PARTS_DIR="${PROJECT_SOURCE_DIR}/resources/PrnFiles/Drevia.docm.d")
