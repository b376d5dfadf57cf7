#pragma once
// The general access structure by the cumulative-array construction: the
// maximal forbidden sets F, the cumulative array A (participant i holds piece
// j exactly when it is outside the j-th maximal forbidden set), and the (t,t)
// threshold matrices combined by A, t being the number of maximal forbidden
// sets. Groups of participants are subset codes: bit j set when participant
// j + 1 belongs to the group.

#include "basis/Matrix.h"

#include <cstdint>
#include <span>

namespace lumisplit {

// True when some row of sets has a 1 in x wherever the row has a 1.
bool IsQualifiedSet(const CMatrix& sets, std::span<const int> x);
// The same for the group with subset code `group`.
bool IsQualifiedGroup(const CMatrix& sets, std::uint32_t group);

// t x n: every group that is not qualified under Q but becomes qualified when
// any one missing participant joins it, in increasing subset code. Q has one
// row per qualified set and n columns, 1 <= n <= 16 (otherwise F has no rows).
CMatrix MaximalForbiddenSets(const CMatrix& Q, int n);

// n x t: A[i][j] = 1 when participant i + 1 is not in the j-th set of F.
CMatrix CumulativeArray(const CMatrix& F);

// n x 2^(t-1), t = cols(A): row i is the OR of the rows j of BasisNNS0(t)
// (BasisNNS1(t) for S1) with A[i][j] = 1. For 1 <= t <= 30; the caller checks
// the size budget first.
CMatrix GeneralBasisS0(const CMatrix& A, int n);
CMatrix GeneralBasisS1(const CMatrix& A, int n);

} // namespace lumisplit
