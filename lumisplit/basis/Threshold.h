#pragma once
// The (k,n) threshold construction: a distribution matrix D spreads the k rows
// of the (k,k) basis matrices over N = ceil(n/k) * k participants, and the
// basis matrix takes, for every column of D and every (k,k) column, the column
// in which participant r receives the (k,k) row that D hands it.

#include "basis/Matrix.h"

#include <cstdint>
#include <optional>
#include <span>

namespace lumisplit {

// Reorders values (N of them) by the permutation that index a stands for in the
// factorial number system: a = 0 reverses them, a = N! - 1 leaves them as they
// are. N <= 12 and 0 <= a < N!.
void DecodePermutation(std::span<int> values, int a);

// True when some column of D equals values in every row.
bool HasCol(std::span<const int> values, const CMatrix& D);

// Columns of D: N! / (q!)^k for q = N / k; nullopt when the count does not
// fit in 64 bits (or N is not a positive multiple of k).
std::optional<std::uint64_t> DistributionColumnCount(int N, int k);

// Subpixels per share of the (k,n) scheme before common columns are removed:
// cols(D) * 2^(k-1) for N = ceil(n/k) * k; nullopt on 64-bit overflow or when
// 1 <= k <= n does not hold.
std::optional<std::uint64_t> KNSubpixelCount(int n, int k);

// D: N rows, every distinct arrangement of the base vector (q zeros, q ones,
// ..., q times k - 1) once, in the order in which decoding the indices
// a = 0, 1, 2, ... meets them first. Built directly: that order is the
// lexicographic order of the arrangements read from the last row up, so no
// permutation is decoded. N must be a positive multiple of k and the column
// count must fit in int (the caller checks the size budget first); otherwise
// the answer has no columns.
CMatrix DistributionMatrix(int N, int k);

// n rows (n <= rows(D)), cols(D) * 2^(k-1) columns: for each column i of D, in order, and each
// column j of BasisNNS0(k) (BasisNNS1(k) for S1), row r is T[D[r][i]][j].
CMatrix BasisKNS0(const CMatrix& D, int k, int n);
CMatrix BasisKNS1(const CMatrix& D, int k, int n);

} // namespace lumisplit
