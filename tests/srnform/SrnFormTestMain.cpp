// Runs the SR-N form's test classes in one process.
#include "QtTestMain.h"

int RunSrnInputPageTests(int argc, char** argv);
int RunSrnFormTests(int argc, char** argv);

int main(int argc, char** argv) {
  return quorvel::test::RunQtTestGroups(argc, argv, {RunSrnInputPageTests, RunSrnFormTests});
}
