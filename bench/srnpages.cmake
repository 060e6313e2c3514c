# SR-N page Start: 10 sets x 20 points, retry on, 100 trials, unreachable
# tolerance (3000 fits through the exchange files), headless; with the shares
# of engine, files and repaints (see the source's head comment).
add_executable(srnpages_bench ${CMAKE_CURRENT_SOURCE_DIR}/srnpages_start.cpp)
target_link_libraries(srnpages_bench PRIVATE quorvel_ui lunvex benchmark::benchmark)
quorvel_set_test_warnings(srnpages_bench)
