# Core (std-only): what the program shares with the host and the engine as
# files and texts. The engine caller imports CalcFitting from Lunvex.
target_sources(quorvel_core PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/ColourFile.cpp
  ${CMAKE_CURRENT_LIST_DIR}/EngineCaller.cpp
  ${CMAKE_CURRENT_LIST_DIR}/HandOffSection.cpp
  ${CMAKE_CURRENT_LIST_DIR}/HostAnswer.cpp
  ${CMAKE_CURRENT_LIST_DIR}/HostTextFile.cpp
  ${CMAKE_CURRENT_LIST_DIR}/InvalidArgument.cpp
  ${CMAKE_CURRENT_LIST_DIR}/Language.cpp
  ${CMAKE_CURRENT_LIST_DIR}/NumberText.cpp
  ${CMAKE_CURRENT_LIST_DIR}/ProgramFolder.cpp
  ${CMAKE_CURRENT_LIST_DIR}/RandomGenerator.cpp
  ${CMAKE_CURRENT_LIST_DIR}/StringSplit.cpp
  ${CMAKE_CURRENT_LIST_DIR}/StringTable.cpp)
target_link_libraries(quorvel_core PUBLIC lunvex)
