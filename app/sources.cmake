# The shell. Core (std-only): the start check.
target_sources(quorvel_core PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/StartCheck.cpp)

# UI: fonts, the dispatch to the mode windows and the start-up shell.
target_sources(quorvel_ui PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/FontSetup.cpp
  ${CMAKE_CURRENT_LIST_DIR}/ModeDispatch.cpp
  ${CMAKE_CURRENT_LIST_DIR}/QuorvelApp.cpp)
