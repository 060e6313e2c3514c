# Project reader: a large project (20 000 nodes, 200 layers, 50 000 table rows)
# from bytes in memory to a filled clsGdProject.
add_executable(records_bench ${CMAKE_CURRENT_SOURCE_DIR}/records_read.cpp)
target_link_libraries(records_bench PRIVATE quorvel_core benchmark::benchmark)
quorvel_set_test_warnings(records_bench)
