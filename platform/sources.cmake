# Stand-ins for outside components (Qt).
target_sources(quorvel_platform PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/Spread7.cpp
  ${CMAKE_CURRENT_LIST_DIR}/Spread7.h
  ${CMAKE_CURRENT_LIST_DIR}/KavletComposer.cpp
  ${CMAKE_CURRENT_LIST_DIR}/KavletComposer.h
  ${CMAKE_CURRENT_LIST_DIR}/MarkedText.cpp
  ${CMAKE_CURRENT_LIST_DIR}/MarkedText.h)

# Core (std-only): the composition half of the page composer (pages of placed blocks).
target_sources(quorvel_core PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/KavletComposition.cpp
  ${CMAKE_CURRENT_LIST_DIR}/KavletComposition.h)

# Core (std-only): the form-file parser, kept free of Qt so it can be fuzzed.
target_sources(quorvel_core PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/KavletForm.cpp
  ${CMAKE_CURRENT_LIST_DIR}/KavletForm.h)
