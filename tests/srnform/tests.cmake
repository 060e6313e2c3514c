# The SR-N form and its input data page (Qt Test, offscreen).
quorvel_add_test(srnform_tests QT
  SOURCES
    ${CMAKE_CURRENT_LIST_DIR}/SrnFormTestMain.cpp
    ${CMAKE_CURRENT_LIST_DIR}/SrnFormTestSupport.cpp
    ${CMAKE_CURRENT_LIST_DIR}/SrnFormTestSupport.h
    ${CMAKE_CURRENT_LIST_DIR}/SrnInputPageTest.cpp
    ${CMAKE_CURRENT_LIST_DIR}/SrnFormTest.cpp
  LIBS quorvel_ui Qt6::Test quorvel_test_support quorvel_qt_test_main)
