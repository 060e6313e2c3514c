# Developer programs: galleries and demo drivers (see the README). They build
# with the rest and never run as tests.

# PNGs of the numeric edits, buttons, statics and a grid.
add_executable(quorvel-gallery ${CMAKE_CURRENT_LIST_DIR}/ControlsGallery.cpp)
target_link_libraries(quorvel-gallery PRIVATE quorvel_ui)
quorvel_set_warnings(quorvel-gallery)

# PNGs of every graph kind in both languages.
add_executable(quorvel-graph-gallery ${CMAKE_CURRENT_LIST_DIR}/GraphGallery.cpp)
target_link_libraries(quorvel-graph-gallery PRIVATE quorvel_ui)
set_target_properties(quorvel-graph-gallery PROPERTIES AUTOMOC ON)
quorvel_set_warnings(quorvel-graph-gallery)

# An SR-N hand-off file through both optimisations to the answer, with
# screenshots of both pages (scripts/demo).
add_executable(quorvel-srn-demo ${CMAKE_CURRENT_LIST_DIR}/SrnPagesDemo.cpp)
target_link_libraries(quorvel-srn-demo PRIVATE quorvel_ui lunvex)
set_target_properties(quorvel-srn-demo PROPERTIES BUILD_RPATH "$ORIGIN" INSTALL_RPATH "$ORIGIN")
quorvel_set_warnings(quorvel-srn-demo)

# The report of a print hand-off file as a PDF, without a window.
add_executable(quorvel-report ${CMAKE_CURRENT_LIST_DIR}/ReportTool.cpp)
target_link_libraries(quorvel-report PRIVATE quorvel_ui)
quorvel_set_warnings(quorvel-report)

# A print hand-off file through the ToPrint task to the answer: preview,
# 印刷, the print dialog printing to a PDF (scripts/demo --example print).
add_executable(quorvel-print-demo ${CMAKE_CURRENT_LIST_DIR}/PrintDemo.cpp)
target_link_libraries(quorvel-print-demo PRIVATE quorvel_ui)
quorvel_set_warnings(quorvel-print-demo)
