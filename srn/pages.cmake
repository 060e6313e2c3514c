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
  ${CMAKE_CURRENT_LIST_DIR}/RetryControls.cpp
  ${CMAKE_CURRENT_LIST_DIR}/RetryControls.h
  ${CMAKE_CURRENT_LIST_DIR}/SrnOptimizeDlg.cpp
  ${CMAKE_CURRENT_LIST_DIR}/SrnOptimizeDlg.h)

# Demo driver: an SR-N hand-off file through both optimisations to the answer,
# with screenshots of both pages (see scripts/demo and the README).
add_executable(quorvel-srn-demo ${CMAKE_CURRENT_LIST_DIR}/SrnPagesDemo.cpp)
target_link_libraries(quorvel-srn-demo PRIVATE quorvel_ui lunvex)
set_target_properties(quorvel-srn-demo PROPERTIES BUILD_RPATH "$ORIGIN" INSTALL_RPATH "$ORIGIN")
quorvel_set_warnings(quorvel-srn-demo)
