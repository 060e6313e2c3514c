// Runs the graph test classes in one process.
#include "QtTestMain.h"

int RunGraphDrawerTests(int argc, char** argv);
int RunGraphAreaTests(int argc, char** argv);
int RunColourDialogsTests(int argc, char** argv);

int main(int argc, char** argv) {
  return quorvel::test::RunQtTestGroups(argc, argv, {RunGraphDrawerTests, RunGraphAreaTests, RunColourDialogsTests});
}
