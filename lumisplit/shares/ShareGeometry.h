#pragma once
// Block sides of the square methods, in exact integer arithmetic (no floating
// square roots, so large pixel expansions cannot round the wrong way).

#include <cstdint>

namespace lumisplit {

// Side of the square block fill: sqrt(m * SmallestSquareMultiplier(m)).
std::uint64_t SquareFillSide(std::uint64_t m);

// Side of the block with filler: the smallest s with s * s >= m.
std::uint64_t FillerSide(std::uint64_t m);

} // namespace lumisplit
