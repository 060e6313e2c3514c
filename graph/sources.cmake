# Graph arithmetic (core, std-only): coordinate system, mapping, ticks, legend.
target_sources(quorvel_core PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/ColourSettings.cpp
  ${CMAKE_CURRENT_LIST_DIR}/GraphLayout.cpp)

# Graph renderer, graph areas and windows, colour and drawing settings (UI).
target_sources(quorvel_ui PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/DialogSize.h
  ${CMAKE_CURRENT_LIST_DIR}/GraphArea.cpp
  ${CMAKE_CURRENT_LIST_DIR}/GraphArea.h
  ${CMAKE_CURRENT_LIST_DIR}/GraphDrawer.cpp
  ${CMAKE_CURRENT_LIST_DIR}/GraphDrawer.h
  ${CMAKE_CURRENT_LIST_DIR}/ReferenceDialogs.cpp
  ${CMAKE_CURRENT_LIST_DIR}/ReferenceDialogs.h
  ${CMAKE_CURRENT_LIST_DIR}/ReferencePictures.cpp
  ${CMAKE_CURRENT_LIST_DIR}/ReferencePictures.h
  ${CMAKE_CURRENT_LIST_DIR}/ResizeGraphDlg.cpp
  ${CMAKE_CURRENT_LIST_DIR}/ResizeGraphDlg.h
  ${CMAKE_CURRENT_LIST_DIR}/SetColorDlg.cpp
  ${CMAKE_CURRENT_LIST_DIR}/SetColorDlg.h)

# Developer tool: PNGs of every graph kind in both languages (see README).
add_executable(quorvel-graph-gallery ${CMAKE_CURRENT_LIST_DIR}/GraphGallery.cpp)
target_link_libraries(quorvel-graph-gallery PRIVATE quorvel_ui)
set_target_properties(quorvel-graph-gallery PROPERTIES AUTOMOC ON)
quorvel_set_warnings(quorvel-graph-gallery)
