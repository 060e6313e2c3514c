# Curves and point lists, the input data file, the hand-off sections of both forms and the SR-N form's OK decision.
quorvel_add_test(model_tests
  SOURCES
    ${CMAKE_CURRENT_LIST_DIR}/CurvesTest.cpp
    ${CMAKE_CURRENT_LIST_DIR}/ExpDataFileTest.cpp
    ${CMAKE_CURRENT_LIST_DIR}/HandOffTestSupport.cpp
    ${CMAKE_CURRENT_LIST_DIR}/HandOffSrnTest.cpp
    ${CMAKE_CURRENT_LIST_DIR}/HandOffStrainTest.cpp
    ${CMAKE_CURRENT_LIST_DIR}/SrnOkStepTest.cpp
  LIBS quorvel_core lunvex quorvel_test_support GTest::gtest_main)
target_include_directories(model_tests PRIVATE ${CMAKE_CURRENT_LIST_DIR})
