# Reader of "data.txt" under libFuzzer: parse any bytes, and fit what parses
# when it is small enough to stay fast.
get_property(LUNVEX_FUZZ_SOURCES GLOBAL PROPERTY LUNVEX_SOURCES)
add_executable(engine_reader_fuzz ${CMAKE_CURRENT_SOURCE_DIR}/engine_reader.cpp ${LUNVEX_FUZZ_SOURCES})
target_include_directories(engine_reader_fuzz PRIVATE ${PROJECT_SOURCE_DIR})
target_compile_options(engine_reader_fuzz PRIVATE -fsanitize=fuzzer,address,undefined -fno-sanitize-recover=undefined)
target_link_options(engine_reader_fuzz PRIVATE -fsanitize=fuzzer,address,undefined)
