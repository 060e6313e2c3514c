# Controls: the rules of the numeric field are plain code (core); the widgets,
# grid access layer, dialogs and conventions, the retry row and the UI text
# helper are UI.
target_sources(quorvel_core PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/ExpEditRules.cpp)

target_sources(quorvel_ui PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/Clipboard.cpp
  ${CMAKE_CURRENT_LIST_DIR}/Clipboard.h
  ${CMAKE_CURRENT_LIST_DIR}/CommonDialogs.cpp
  ${CMAKE_CURRENT_LIST_DIR}/CommonDialogs.h
  ${CMAKE_CURRENT_LIST_DIR}/DialogConventions.cpp
  ${CMAKE_CURRENT_LIST_DIR}/DialogConventions.h
  ${CMAKE_CURRENT_LIST_DIR}/ExpButton.cpp
  ${CMAKE_CURRENT_LIST_DIR}/ExpButton.h
  ${CMAKE_CURRENT_LIST_DIR}/ExpEdit.cpp
  ${CMAKE_CURRENT_LIST_DIR}/ExpEdit.h
  ${CMAKE_CURRENT_LIST_DIR}/ExpStatic.cpp
  ${CMAKE_CURRENT_LIST_DIR}/ExpStatic.h
  ${CMAKE_CURRENT_LIST_DIR}/GridAccess.cpp
  ${CMAKE_CURRENT_LIST_DIR}/GridAccess.h
  ${CMAKE_CURRENT_LIST_DIR}/MessageBoxes.cpp
  ${CMAKE_CURRENT_LIST_DIR}/MessageBoxes.h
  ${CMAKE_CURRENT_LIST_DIR}/RetryRow.cpp
  ${CMAKE_CURRENT_LIST_DIR}/RetryRow.h
  ${CMAKE_CURRENT_LIST_DIR}/UiText.cpp
  ${CMAKE_CURRENT_LIST_DIR}/UiText.h)
