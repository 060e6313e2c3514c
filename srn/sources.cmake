# Core (std-only): the equation family, the form's records, hand-off sections
# and OK decision, the data-file format, the optimisation pages' fitting runs,
# grid rules, the form's graph series and the coalescing of progress repaints.
target_sources(quorvel_core PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/EqBase.cpp
  ${CMAKE_CURRENT_LIST_DIR}/ExpDataFile.cpp
  ${CMAKE_CURRENT_LIST_DIR}/LiquidOptimizeRun.cpp
  ${CMAKE_CURRENT_LIST_DIR}/RepaintThrottle.cpp
  ${CMAKE_CURRENT_LIST_DIR}/SrnFormRecord.cpp
  ${CMAKE_CURRENT_LIST_DIR}/SrnGraphSeries.cpp
  ${CMAKE_CURRENT_LIST_DIR}/SrnHandOff.cpp
  ${CMAKE_CURRENT_LIST_DIR}/SrnOkStep.cpp
  ${CMAKE_CURRENT_LIST_DIR}/SrnOptimizeRun.cpp)

# UI: the form frame, its page interface and its three pages.
target_sources(quorvel_ui PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/AddDataDlg.cpp
  ${CMAKE_CURRENT_LIST_DIR}/AddDataDlg.h
  ${CMAKE_CURRENT_LIST_DIR}/LiquidOptimizeDlg.cpp
  ${CMAKE_CURRENT_LIST_DIR}/LiquidOptimizeDlg.h
  ${CMAKE_CURRENT_LIST_DIR}/SrnFormDlg.cpp
  ${CMAKE_CURRENT_LIST_DIR}/SrnFormDlg.h
  ${CMAKE_CURRENT_LIST_DIR}/SrnInputDataDlg.cpp
  ${CMAKE_CURRENT_LIST_DIR}/SrnInputDataDlg.h
  ${CMAKE_CURRENT_LIST_DIR}/SrnOptimizeDlg.cpp
  ${CMAKE_CURRENT_LIST_DIR}/SrnOptimizeDlg.h
  ${CMAKE_CURRENT_LIST_DIR}/SrnPage.h)
