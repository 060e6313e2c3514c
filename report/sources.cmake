# The print mode. Core (std-only): the project, the report items, the pager,
# the composer sink and the composition driver with the title page and the
# contents.
target_sources(quorvel_core PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/ComposerSink.cpp
  ${CMAKE_CURRENT_LIST_DIR}/ComposerSink.h
  ${CMAKE_CURRENT_LIST_DIR}/InputDataPages.cpp
  ${CMAKE_CURRENT_LIST_DIR}/InputDataPages.h
  ${CMAKE_CURRENT_LIST_DIR}/PageSink.h
  ${CMAKE_CURRENT_LIST_DIR}/PrintProject.cpp
  ${CMAKE_CURRENT_LIST_DIR}/PrintProject.h
  ${CMAKE_CURRENT_LIST_DIR}/ReportComposition.cpp
  ${CMAKE_CURRENT_LIST_DIR}/ReportComposition.h
  ${CMAKE_CURRENT_LIST_DIR}/ReportItems.cpp
  ${CMAKE_CURRENT_LIST_DIR}/ReportItems.h
  ${CMAKE_CURRENT_LIST_DIR}/ReportPager.cpp
  ${CMAKE_CURRENT_LIST_DIR}/ReportPager.h
  ${CMAKE_CURRENT_LIST_DIR}/ResultPages.cpp
  ${CMAKE_CURRENT_LIST_DIR}/ResultPages.h
  ${CMAKE_CURRENT_LIST_DIR}/WordSink.cpp
  ${CMAKE_CURRENT_LIST_DIR}/WordSink.h)

# UI: page drawing, the preview, the print job, PDF, the task and the Word seam.
target_sources(quorvel_ui PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/FittingFigures.cpp
  ${CMAKE_CURRENT_LIST_DIR}/FittingFigures.h
  ${CMAKE_CURRENT_LIST_DIR}/PrintMode.cpp
  ${CMAKE_CURRENT_LIST_DIR}/PrintMode.h
  ${CMAKE_CURRENT_LIST_DIR}/PrintPreviewDlg.cpp
  ${CMAKE_CURRENT_LIST_DIR}/PrintPreviewDlg.h
  ${CMAKE_CURRENT_LIST_DIR}/QuorvelView.cpp
  ${CMAKE_CURRENT_LIST_DIR}/QuorvelView.h
  ${CMAKE_CURRENT_LIST_DIR}/ReportPageDrawing.cpp
  ${CMAKE_CURRENT_LIST_DIR}/ReportPageDrawing.h
  ${CMAKE_CURRENT_LIST_DIR}/ReportPdf.cpp
  ${CMAKE_CURRENT_LIST_DIR}/ReportPdf.h
  ${CMAKE_CURRENT_LIST_DIR}/ResultFigureDrawing.cpp
  ${CMAKE_CURRENT_LIST_DIR}/ResultFigureDrawing.h
  ${CMAKE_CURRENT_LIST_DIR}/TerrainModelDrawing.cpp
  ${CMAKE_CURRENT_LIST_DIR}/TerrainModelDrawing.h
  ${CMAKE_CURRENT_LIST_DIR}/WordOutput.cpp
  ${CMAKE_CURRENT_LIST_DIR}/WordOutput.h)

# The form files beside the program in the build's bin folder, as in an
# installed program folder (the program and the tests find them there).
file(GLOB QUORVEL_PRNFILES CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/resources/PrnFiles/*.kvf)
set(QUORVEL_PRNFILES_STAMP ${CMAKE_CURRENT_BINARY_DIR}/generated/prnfiles.stamp)
add_custom_command(
  OUTPUT ${QUORVEL_PRNFILES_STAMP}
  COMMAND ${CMAKE_COMMAND} -E make_directory ${CMAKE_RUNTIME_OUTPUT_DIRECTORY}/PrnFiles
  COMMAND ${CMAKE_COMMAND} -E copy_if_different ${QUORVEL_PRNFILES} ${CMAKE_RUNTIME_OUTPUT_DIRECTORY}/PrnFiles/
  COMMAND ${CMAKE_COMMAND} -E touch ${QUORVEL_PRNFILES_STAMP}
  DEPENDS ${QUORVEL_PRNFILES}
  COMMENT "Copying the form files beside the program")
add_custom_target(quorvel_prnfiles DEPENDS ${QUORVEL_PRNFILES_STAMP})
add_dependencies(quorvel_ui quorvel_prnfiles)
