#pragma once
// Checks that a basis pair does what stacking needs, over every group of
// participants: a qualified group sees more black subpixels in S1 than in S0
// (OR of its rows), any other group sees the same columns in S0 and S1 up to
// order.

#include "basis/BasisPair.h"

#include <cstdint>
#include <functional>
#include <optional>
#include <string>

namespace lumisplit {

struct PairVerdict {
    bool passed = true;
    // Black subpixels in S1 minus those in S0, smallest over the qualified
    // groups; none when no group is qualified.
    std::optional<int> smallestContrast;
    std::string failure; // the first group that fails and why, when !passed
};

// isQualified answers for a subset code (bit j = participant j + 1). The pair
// must have equal shapes and at most 12 rows of 0/1.
PairVerdict VerifyBasisPair(const BasisPair& pair,
                            const std::function<bool(std::uint32_t group)>& isQualified);

// "{1,3}" for the group code 0b101.
std::string GroupText(std::uint32_t group);

} // namespace lumisplit
