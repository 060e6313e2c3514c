# Fitting data model, hand-off sections of both forms and the colour file.
set(QUORVEL_APP_TESTS ${CMAKE_CURRENT_LIST_DIR}/../app)
quorvel_add_test(model_tests
  SOURCES
    ${CMAKE_CURRENT_LIST_DIR}/EqBaseTest.cpp
    ${CMAKE_CURRENT_LIST_DIR}/PointDataTest.cpp
    ${CMAKE_CURRENT_LIST_DIR}/EqEngineAgreementTest.cpp
    ${QUORVEL_APP_TESTS}/ColourFileTest.cpp
    ${QUORVEL_APP_TESTS}/HandOffTestSupport.cpp
    ${QUORVEL_APP_TESTS}/HandOffSrnTest.cpp
    ${QUORVEL_APP_TESTS}/HandOffStrainTest.cpp
    ${QUORVEL_APP_TESTS}/HandOffMutationTest.cpp
  LIBS quorvel_core lunvex quorvel_test_support GTest::gtest_main)
# "support/TempFolder.h" and "app/..." resolve from the tests folder and the root.
target_include_directories(model_tests PRIVATE ${CMAKE_CURRENT_LIST_DIR}/.. ${QUORVEL_APP_TESTS})
