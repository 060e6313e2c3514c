# Fitting data model, hand-off sections of both forms and the colour file.
quorvel_add_test(model_tests
  SOURCES
    ${CMAKE_CURRENT_LIST_DIR}/EqBaseTest.cpp
    ${CMAKE_CURRENT_LIST_DIR}/PointDataTest.cpp
    ${CMAKE_CURRENT_SOURCE_DIR}/app/ColourFileTest.cpp
  LIBS quorvel_core quorvel_test_support GTest::gtest_main)
