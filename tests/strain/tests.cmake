# Strain form: engine caller and random generator, the form's logic (GoogleTest,
# real engine and files), and the dialog itself (Qt Test, offscreen).
quorvel_add_test(strain_logic_tests
  SOURCES
    ${CMAKE_CURRENT_LIST_DIR}/EngineCallerTest.cpp
    ${CMAKE_CURRENT_LIST_DIR}/StrainLogicTest.cpp
  LIBS quorvel_core lunvex quorvel_test_support GTest::gtest_main)
target_include_directories(strain_logic_tests PRIVATE ${CMAKE_CURRENT_LIST_DIR}/..)

quorvel_add_test(strain_form_tests QT
  SOURCES ${CMAKE_CURRENT_LIST_DIR}/StrainFormDlgTest.cpp
  LIBS quorvel_ui Qt6::Test quorvel_test_support)
target_include_directories(strain_form_tests PRIVATE ${CMAKE_CURRENT_LIST_DIR}/..)
