# Project reader under libFuzzer: any bytes as a hand-off file, read as a whole
# project and as a slice result file. The reader's sources are compiled into the
# target so that libFuzzer's coverage instrumentation reaches them.
file(GLOB RECORDS_FUZZ_SOURCES ${PROJECT_SOURCE_DIR}/records/*.cpp)
add_executable(records_fuzz ${CMAKE_CURRENT_SOURCE_DIR}/records_project.cpp ${RECORDS_FUZZ_SOURCES}
  ${PROJECT_SOURCE_DIR}/host/HostTextFile.cpp ${PROJECT_SOURCE_DIR}/host/NumberText.cpp
  ${PROJECT_SOURCE_DIR}/host/InvalidArgument.cpp)
target_include_directories(records_fuzz PRIVATE ${PROJECT_SOURCE_DIR})
target_compile_options(records_fuzz PRIVATE -fsanitize=fuzzer,address,undefined -fno-sanitize-recover=undefined)
target_link_options(records_fuzz PRIVATE -fsanitize=fuzzer,address,undefined)
