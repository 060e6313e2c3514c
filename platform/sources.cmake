# Stand-ins for outside components (Qt).
target_sources(quorvel_platform PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/Spread7.cpp
  ${CMAKE_CURRENT_LIST_DIR}/Spread7.h)
