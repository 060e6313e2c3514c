#pragma once
// The program-wide random numbers of the fitting pages: one MT19937 seeded
// with 5489 on first use and never reseeded, so a run's sequence of random
// initial values repeats from one program run to the next.
#include <cstdint>
#include <random>

namespace quorvel {

// The generator itself (created on first use).
std::mt19937& ProgramRandomEngine();

// Next 32-bit output divided by 2^32: a u in [0, 1).
double NextUniform();

// Outputs drawn so far through NextUniform (tests rebuild the sequence).
std::uint64_t UniformDrawCount();

}  // namespace quorvel
