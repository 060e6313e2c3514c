# Core (std-only): equation family and point data sets.
target_sources(quorvel_core PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/DataSetList.cpp
  ${CMAKE_CURRENT_LIST_DIR}/EqBase.cpp
  ${CMAKE_CURRENT_LIST_DIR}/PointDataList.cpp)
