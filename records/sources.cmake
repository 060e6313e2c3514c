# Core (std-only): project records of the print mode and their reader.
target_sources(quorvel_core PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/GdModel.cpp
  ${CMAKE_CURRENT_LIST_DIR}/GdPrint.cpp
  ${CMAKE_CURRENT_LIST_DIR}/GdProject.cpp
  ${CMAKE_CURRENT_LIST_DIR}/GdResults.cpp
  ${CMAKE_CURRENT_LIST_DIR}/GdSettings.cpp
  ${CMAKE_CURRENT_LIST_DIR}/GdSliceQuant.cpp
  ${CMAKE_CURRENT_LIST_DIR}/GdSoftening.cpp
  ${CMAKE_CURRENT_LIST_DIR}/GdTable.cpp
  ${CMAKE_CURRENT_LIST_DIR}/RecordReader.cpp)
