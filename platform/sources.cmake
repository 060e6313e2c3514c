# Stand-ins for outside components (Qt).
target_sources(quorvel_platform PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/Spread7.cpp
  ${CMAKE_CURRENT_LIST_DIR}/Spread7.h)

# Core (std-only): the form-file parser, kept free of Qt so it can be fuzzed.
target_sources(quorvel_core PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/KavletForm.cpp
  ${CMAKE_CURRENT_LIST_DIR}/KavletForm.h)
