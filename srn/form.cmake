# The SR-N form frame, its page interface and the input data page (UI); the
# data-file format of the input page (core, std-only).
target_sources(quorvel_ui PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/AddDataDlg.cpp
  ${CMAKE_CURRENT_LIST_DIR}/AddDataDlg.h
  ${CMAKE_CURRENT_LIST_DIR}/SrnFormDlg.cpp
  ${CMAKE_CURRENT_LIST_DIR}/SrnFormDlg.h
  ${CMAKE_CURRENT_LIST_DIR}/SrnInputDataDlg.cpp
  ${CMAKE_CURRENT_LIST_DIR}/SrnInputDataDlg.h
  ${CMAKE_CURRENT_LIST_DIR}/SrnPage.h
  ${CMAKE_CURRENT_LIST_DIR}/SrnPage.cpp)

target_sources(quorvel_core PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/ExpDataFile.cpp
  ${CMAKE_CURRENT_LIST_DIR}/ExpDataFile.h)
