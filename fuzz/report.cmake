# The project-to-pages path under libFuzzer: the project reader, the
# composition and the composer's page store on the shipped form files. The
# sources are compiled into the target so the coverage reaches them.
file(GLOB REPORT_FUZZ_SOURCES ${PROJECT_SOURCE_DIR}/records/*.cpp)
add_executable(report_compose_fuzz ${CMAKE_CURRENT_SOURCE_DIR}/report_compose.cpp ${REPORT_FUZZ_SOURCES}
  ${PROJECT_SOURCE_DIR}/report/ComposerSink.cpp ${PROJECT_SOURCE_DIR}/report/PrintProject.cpp
  ${PROJECT_SOURCE_DIR}/report/ReportComposition.cpp ${PROJECT_SOURCE_DIR}/report/ReportItems.cpp
  ${PROJECT_SOURCE_DIR}/report/ReportPager.cpp
  ${PROJECT_SOURCE_DIR}/platform/KavletComposition.cpp ${PROJECT_SOURCE_DIR}/platform/KavletForm.cpp
  ${PROJECT_SOURCE_DIR}/host/HostTextFile.cpp ${PROJECT_SOURCE_DIR}/host/NumberText.cpp
  ${PROJECT_SOURCE_DIR}/host/InvalidArgument.cpp)
target_include_directories(report_compose_fuzz PRIVATE ${PROJECT_SOURCE_DIR})
target_compile_definitions(report_compose_fuzz PRIVATE QUORVEL_PRNFILES="${PROJECT_SOURCE_DIR}/resources/PrnFiles")
target_compile_options(report_compose_fuzz PRIVATE -fsanitize=fuzzer,address,undefined -fno-sanitize-recover=undefined)
target_link_options(report_compose_fuzz PRIVATE -fsanitize=fuzzer,address,undefined)
