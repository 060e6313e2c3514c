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
