#pragma once
// The refusals every method shares, and the creation of the blank share set.
// Each check reports its own message and answers false, before anything large
// is allocated.

#include "shares/Shares.h"

#include <cstdint>
#include <optional>
#include <vector>

namespace lumisplit {

// S0 and S1 of one shape, 2 to 9 rows, at least one column.
bool CheckBasisForSplit(const CMatrix& S0, const CMatrix& S1);

// A secret with at least one pixel.
bool CheckSecret(const CBmpImage& secret);

// n cover images, each with pixels and at least as large as the secret.
bool CheckCovers(const std::vector<CBmpImage>& covers, int n, const CBmpImage& secret);

// n blank shares of width x height, named in participant order, or empty when
// they would exceed the size budget of Shares.h or cannot be allocated.
std::optional<ShareSet> MakeBlankShares(int n, std::uint64_t width, std::uint64_t height);

} // namespace lumisplit
