# SR-N optimisation and liquefaction-constant pages: the fitting runs
# (GoogleTest, real engine library and files) and the pages themselves with
# the form end to end (Qt Test, offscreen).
quorvel_add_test(srnpages_run_tests
  SOURCES
    ${CMAKE_CURRENT_LIST_DIR}/OptimizeRunTest.cpp
  LIBS quorvel_core lunvex quorvel_test_support GTest::gtest_main)
target_include_directories(srnpages_run_tests PRIVATE ${CMAKE_CURRENT_LIST_DIR}/..)

quorvel_add_test(srnpages_ui_tests
  SOURCES
    ${CMAKE_CURRENT_LIST_DIR}/SrnPagesTest.cpp
    ${CMAKE_CURRENT_LIST_DIR}/../srnform/SrnFormTestSupport.cpp
  LIBS quorvel_ui quorvel_test_support lunvex Qt6::Test
  QT)
target_include_directories(srnpages_ui_tests PRIVATE ${CMAKE_CURRENT_LIST_DIR}/..)
