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

# The Word-output module: our document writer over libzip and pugixml (std
# only, no Qt), shared with the template packer and the tests.
pkg_check_modules(LIBZIP REQUIRED IMPORTED_TARGET libzip)
find_package(pugixml REQUIRED)
add_library(quorvel_word STATIC
  ${CMAKE_CURRENT_LIST_DIR}/OoxmlPackage.cpp
  ${CMAKE_CURRENT_LIST_DIR}/OoxmlPackage.h
  ${CMAKE_CURRENT_LIST_DIR}/WordDocumentWriter.cpp
  ${CMAKE_CURRENT_LIST_DIR}/WordDocumentWriter.h
  ${CMAKE_CURRENT_LIST_DIR}/WordOutputModule.h
  ${CMAKE_CURRENT_LIST_DIR}/ZipPackage.cpp
  ${CMAKE_CURRENT_LIST_DIR}/ZipPackage.h)
target_include_directories(quorvel_word PUBLIC ${PROJECT_SOURCE_DIR})
target_link_libraries(quorvel_word PUBLIC quorvel_core PRIVATE PkgConfig::LIBZIP pugixml::pugixml)
quorvel_set_warnings(quorvel_word)
target_link_libraries(quorvel_platform PUBLIC quorvel_word)
