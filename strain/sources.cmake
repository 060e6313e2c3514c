# Strain form. Core (std-only): the form's records, hand-off sections and
# logic, which the tests drive directly.
target_sources(quorvel_core PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/StrainFitRun.cpp
  ${CMAKE_CURRENT_LIST_DIR}/StrainFormModel.cpp
  ${CMAKE_CURRENT_LIST_DIR}/StrainFormRecord.cpp
  ${CMAKE_CURRENT_LIST_DIR}/StrainHandOff.cpp)

# UI: the dialog over that logic.
target_sources(quorvel_ui PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/StrainFormDlg.cpp
  ${CMAKE_CURRENT_LIST_DIR}/StrainFormDlg.h)
