quorvel_add_test(app_tests
  SOURCES app/NumberTextTest.cpp app/StringSplitTest.cpp app/HostTextFileTest.cpp app/StringTableTest.cpp
  LIBS quorvel_core quorvel_test_support GTest::gtest_main)

quorvel_add_test(shell_tests QT
  SOURCES app/ShellTest.cpp
  LIBS quorvel_ui quorvel_test_support Qt6::Test)
