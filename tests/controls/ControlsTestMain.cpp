// Runs the controls' test classes in one process.
#include "QtTestMain.h"

int RunExpEditTests(int argc, char** argv);
int RunControlsTests(int argc, char** argv);
int RunGridTests(int argc, char** argv);

int main(int argc, char** argv) {
  return quorvel::test::RunQtTestGroups(argc, argv, {RunExpEditTests, RunControlsTests, RunGridTests});
}
