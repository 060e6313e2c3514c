# Core (std-only): host files, number texts, splitter, start check, language.
target_sources(quorvel_core PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/HostAnswer.cpp
  ${CMAKE_CURRENT_LIST_DIR}/HostTextFile.cpp
  ${CMAKE_CURRENT_LIST_DIR}/InvalidArgument.cpp
  ${CMAKE_CURRENT_LIST_DIR}/Language.cpp
  ${CMAKE_CURRENT_LIST_DIR}/NumberText.cpp
  ${CMAKE_CURRENT_LIST_DIR}/ProgramFolder.cpp
  ${CMAKE_CURRENT_LIST_DIR}/StartCheck.cpp
  ${CMAKE_CURRENT_LIST_DIR}/StringSplit.cpp
  ${CMAKE_CURRENT_LIST_DIR}/StringTable.cpp)

# UI: the start-up shell.
target_sources(quorvel_ui PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/FontSetup.cpp
  ${CMAKE_CURRENT_LIST_DIR}/ModeWindows.cpp
  ${CMAKE_CURRENT_LIST_DIR}/QuorvelApp.cpp)

# Hand-off sections of the forms and the colour file (core).
include(${CMAKE_CURRENT_LIST_DIR}/handoff.cmake OPTIONAL)
include(${CMAKE_CURRENT_LIST_DIR}/engine_caller.cmake OPTIONAL)
