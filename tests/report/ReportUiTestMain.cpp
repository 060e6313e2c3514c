// Runs the print mode's widget test classes in one process.
#include "QtTestMain.h"

int RunPrintPreviewTests(int argc, char** argv);
int RunPrintOutputTests(int argc, char** argv);
int RunResultFiguresTests(int argc, char** argv);

int main(int argc, char** argv) {
  return quorvel::test::RunQtTestGroups(argc, argv, {RunPrintPreviewTests, RunPrintOutputTests, RunResultFiguresTests});
}
