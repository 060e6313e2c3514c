# Form-file parser under libFuzzer, seeded with the shipped form files.
add_executable(kvf_parser_fuzz ${CMAKE_CURRENT_SOURCE_DIR}/kvf_parser.cpp ${PROJECT_SOURCE_DIR}/platform/KavletForm.cpp)
target_include_directories(kvf_parser_fuzz PRIVATE ${PROJECT_SOURCE_DIR})
target_compile_options(kvf_parser_fuzz PRIVATE -fsanitize=fuzzer,address,undefined -fno-sanitize-recover=undefined)
target_link_options(kvf_parser_fuzz PRIVATE -fsanitize=fuzzer,address,undefined)
