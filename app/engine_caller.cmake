# Core (std-only): the engine caller shared by the fitting pages, and the
# program-wide random generator. The caller imports CalcFitting from Lunvex.
target_sources(quorvel_core PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/EngineCaller.cpp
  ${CMAKE_CURRENT_LIST_DIR}/RandomGenerator.cpp)
target_link_libraries(quorvel_core PUBLIC lunvex)
