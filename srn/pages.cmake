# Core (std-only): the optimisation pages' fitting runs, grid rules and graph series.
target_sources(quorvel_core PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/LiquidOptimizeRun.cpp
  ${CMAKE_CURRENT_LIST_DIR}/OptimizeGraphSeries.cpp
  ${CMAKE_CURRENT_LIST_DIR}/SrnOptimizeRun.cpp)
