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

# The Word template: its readable parts packed to PrnFiles/Drevia.docm beside
# the program, checked on the way (a build error when a part or block is unsound).
add_executable(quorvel-pack-template ${CMAKE_CURRENT_LIST_DIR}/PackWordTemplate.cpp)
target_link_libraries(quorvel-pack-template PRIVATE quorvel_word)
quorvel_set_warnings(quorvel-pack-template)
set(QUORVEL_WORD_TEMPLATE_PARTS_DIR ${PROJECT_SOURCE_DIR}/resources/PrnFiles/Drevia.docm.d)
file(GLOB_RECURSE QUORVEL_WORD_TEMPLATE_PARTS CONFIGURE_DEPENDS ${QUORVEL_WORD_TEMPLATE_PARTS_DIR}/*)
set(QUORVEL_WORD_TEMPLATE ${PROJECT_BINARY_DIR}/bin/PrnFiles/Drevia.docm)
add_custom_command(
  OUTPUT ${QUORVEL_WORD_TEMPLATE}
  COMMAND quorvel-pack-template ${QUORVEL_WORD_TEMPLATE_PARTS_DIR} ${QUORVEL_WORD_TEMPLATE}
  DEPENDS quorvel-pack-template ${QUORVEL_WORD_TEMPLATE_PARTS}
  COMMENT "Packing the Word template PrnFiles/Drevia.docm")
add_custom_target(quorvel_word_template ALL DEPENDS ${QUORVEL_WORD_TEMPLATE})

# The report of a print hand-off file as a PDF, without a window.
add_executable(quorvel-report ${CMAKE_CURRENT_LIST_DIR}/ReportTool.cpp)
target_link_libraries(quorvel-report PRIVATE quorvel_ui)
quorvel_set_warnings(quorvel-report)

# A print hand-off file through the ToPrint task to the answer: preview,
# 印刷, the print dialog printing to a PDF (scripts/demo --example print).
add_executable(quorvel-print-demo ${CMAKE_CURRENT_LIST_DIR}/PrintDemo.cpp)
target_link_libraries(quorvel-print-demo PRIVATE quorvel_ui)
quorvel_set_warnings(quorvel-print-demo)
