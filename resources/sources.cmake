# The string table is data: embed it into the core at build time.
set(QUORVEL_STRINGS_CPP ${CMAKE_CURRENT_BINARY_DIR}/generated/StringTableData.cpp)
add_custom_command(
  OUTPUT ${QUORVEL_STRINGS_CPP}
  COMMAND ${CMAKE_COMMAND} -DINPUT=${CMAKE_CURRENT_LIST_DIR}/strings.tsv -DOUTPUT=${QUORVEL_STRINGS_CPP}
          -DVARIABLE=kStringTableTsv -DNAMESPACE=quorvel -P ${PROJECT_SOURCE_DIR}/cmake/EmbedText.cmake
  DEPENDS ${CMAKE_CURRENT_LIST_DIR}/strings.tsv ${PROJECT_SOURCE_DIR}/cmake/EmbedText.cmake
  COMMENT "Embedding the string table")
target_sources(quorvel_core PRIVATE ${QUORVEL_STRINGS_CPP})
