#pragma once
// One process runs several Qt Test classes (compiling Qt tests is slow, so
// each subsystem has one test program). Sets up the offscreen platform, a
// private runtime folder and the program's font mapping, then runs each group.
#include <initializer_list>

namespace quorvel::test {

using QtTestGroup = int (*)(int argc, char** argv);

// Returns 0 when every group passed, 1 otherwise.
int RunQtTestGroups(int argc, char** argv, std::initializer_list<QtTestGroup> groups);

}  // namespace quorvel::test
