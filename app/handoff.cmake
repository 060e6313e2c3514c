# Core (std-only): hand-off sections of the SR-N and strain forms, colour file.
target_sources(quorvel_core PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/ColourFile.cpp)
