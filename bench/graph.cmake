# Graph renderer: 60 curves x 2000 points and 60 data lists x 50 markers into
# a 1000 x 600 image.
add_executable(graph_bench ${CMAKE_CURRENT_SOURCE_DIR}/graph_draw.cpp)
target_link_libraries(graph_bench PRIVATE quorvel_qt_bench_main)
quorvel_set_test_warnings(graph_bench)
