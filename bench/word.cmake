# Word document writer: N blocks (heading, a three-row table, a page break)
# from the packed template to a saved package; the cost should grow linearly.
add_executable(word_bench ${CMAKE_CURRENT_SOURCE_DIR}/word_write.cpp)
target_link_libraries(word_bench PRIVATE quorvel_word benchmark::benchmark)
target_compile_definitions(word_bench PRIVATE QUORVEL_BINARY_DIR="${PROJECT_BINARY_DIR}")
add_dependencies(word_bench quorvel_word_template)
quorvel_set_test_warnings(word_bench)
