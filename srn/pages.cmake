# Core (std-only): the optimisation pages' fitting runs, grid rules, graph
# series and the coalescing of progress repaints.
target_sources(quorvel_core PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/LiquidOptimizeRun.cpp
  ${CMAKE_CURRENT_LIST_DIR}/OptimizeGraphSeries.cpp
  ${CMAKE_CURRENT_LIST_DIR}/RepaintThrottle.cpp
  ${CMAKE_CURRENT_LIST_DIR}/SrnOptimizeRun.cpp)

# UI: pages 1 (SR-N optimisation) and 2 (liquefaction-curve constants).
target_sources(quorvel_ui PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/LiquidOptimizeDlg.cpp
  ${CMAKE_CURRENT_LIST_DIR}/LiquidOptimizeDlg.h
  ${CMAKE_CURRENT_LIST_DIR}/SrnOptimizeDlg.cpp
  ${CMAKE_CURRENT_LIST_DIR}/SrnOptimizeDlg.h)
