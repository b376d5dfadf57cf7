#pragma once
// How large a basis pair this tool agrees to build. Both matrices together may
// take at most 2 GiB at a byte per entry; parameters beyond that are refused
// before anything is allocated.

#include <cstdint>

namespace lumisplit {

inline constexpr std::uint64_t kBasisPairBudgetBytes = std::uint64_t{2} << 30;

// The most subpixels (columns) per share that an n-row pair may have.
constexpr std::uint64_t SubpixelLimit(int n) {
    return kBasisPairBudgetBytes / (2 * static_cast<std::uint64_t>(n < 1 ? 1 : n));
}

} // namespace lumisplit
