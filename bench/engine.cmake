# Engine benchmarks: our fit in memory and through the files, and the
# reference lmdif (cminpack) on the same problems, with sweep counts.

add_executable(engine_bench ${CMAKE_CURRENT_SOURCE_DIR}/engine_fit.cpp)
target_link_libraries(engine_bench PRIVATE lunvex_static benchmark::benchmark PkgConfig::CMINPACK)
quorvel_set_test_warnings(engine_bench)

