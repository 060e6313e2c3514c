# The start-up shell in-process (Qt Test, offscreen).
quorvel_add_test(shell_tests QT
  SOURCES ${CMAKE_CURRENT_LIST_DIR}/ShellTest.cpp
  LIBS quorvel_ui quorvel_test_support Qt6::Test)
