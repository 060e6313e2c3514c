# Core (std-only): the point data sets a graph shows, and the graph
# arithmetic (coordinate system, mapping, ticks, legend), the strain curve
# both the strain form and the report draw.
target_sources(quorvel_core PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/ColourSettings.cpp
  ${CMAKE_CURRENT_LIST_DIR}/DataSetList.cpp
  ${CMAKE_CURRENT_LIST_DIR}/GraphLayout.cpp
  ${CMAKE_CURRENT_LIST_DIR}/PointDataList.cpp
  ${CMAKE_CURRENT_LIST_DIR}/StrainCurve.cpp)

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
