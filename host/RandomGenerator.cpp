#include "host/RandomGenerator.h"

namespace quorvel {
namespace {
std::uint64_t drawCount = 0;
}

std::mt19937& ProgramRandomEngine() {
  static std::mt19937 engine(5489u);
  return engine;
}

double NextUniform() {
  ++drawCount;
  return static_cast<double>(ProgramRandomEngine()()) / 4294967296.0;
}

std::uint64_t UniformDrawCount() { return drawCount; }

}  // namespace quorvel
