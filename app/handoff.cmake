# Core (std-only): hand-off sections of the SR-N and strain forms, colour file.
target_sources(quorvel_core PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/ColourFile.cpp
  ${CMAKE_CURRENT_LIST_DIR}/FormRecords.cpp
  ${CMAKE_CURRENT_LIST_DIR}/HandOffSection.cpp
  ${CMAKE_CURRENT_LIST_DIR}/SrnHandOff.cpp
  ${CMAKE_CURRENT_LIST_DIR}/StrainHandOff.cpp)
