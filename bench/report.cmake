# Print mode: composing the example and a large project, drawing a preview
# page, the example report to PDF.
add_executable(report_bench ${CMAKE_CURRENT_SOURCE_DIR}/report_compose.cpp)
target_link_libraries(report_bench PRIVATE quorvel_qt_bench_main)
target_compile_definitions(report_bench PRIVATE QUORVEL_PRNFILES="${PROJECT_SOURCE_DIR}/resources/PrnFiles"
                                                QUORVEL_EXAMPLES="${PROJECT_SOURCE_DIR}/examples")
quorvel_set_test_warnings(report_bench)
