# Engine tests: one executable; the reference lmdif (cminpack) is the oracle
# of the solver tests.
quorvel_add_test(engine_tests
  SOURCES
    ${CMAKE_CURRENT_LIST_DIR}/EngineTestSupport.cpp
    ${CMAKE_CURRENT_LIST_DIR}/EngineTestSupport.h
    ${CMAKE_CURRENT_LIST_DIR}/../support/TempFolder.cpp
    ${CMAKE_CURRENT_LIST_DIR}/EngineOracleTests.cpp
    ${CMAKE_CURRENT_LIST_DIR}/EngineModelTests.cpp
    ${CMAKE_CURRENT_LIST_DIR}/EngineExchangeTests.cpp
  LIBS lunvex_static GTest::gtest_main PkgConfig::CMINPACK ${CMAKE_DL_LIBS})
target_compile_definitions(engine_tests PRIVATE
  LUNVEX_LIBRARY="$<TARGET_FILE:lunvex>" LUNVEX_FIT_TOOL="$<TARGET_FILE:lunvex-fit>")
target_include_directories(engine_tests PRIVATE ${CMAKE_CURRENT_LIST_DIR}/../support)
add_dependencies(engine_tests lunvex lunvex-fit)
