# Core (std-only): equation family and point data sets.
target_sources(quorvel_core PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/DataSetList.cpp
  ${CMAKE_CURRENT_LIST_DIR}/EqBase.cpp
  ${CMAKE_CURRENT_LIST_DIR}/PointDataList.cpp)

# The SR-N form and its input page (UI), and the optimisation pages with their
# fitting runs, each list their own files.
include(${CMAKE_CURRENT_LIST_DIR}/form.cmake OPTIONAL)
include(${CMAKE_CURRENT_LIST_DIR}/pages.cmake OPTIONAL)
