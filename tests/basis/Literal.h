#pragma once
// The constructions exactly as first described, step by step, slow on
// purpose: the oracles that the fast versions are checked against (and the
// baseline of the benchmark).

#include "basis/Matrix.h"

namespace lumisplit::literal {

// For i over B's columns: pair with the first equal column of A, delete both
// and look at the same i again; else i + 1.
void RemoveCommonCols(CMatrix& A, CMatrix& B);

// Decodes every index a < N! and appends each arrangement not seen before.
CMatrix DistributionMatrix(int N, int k);

// The same enumeration with a hash set in place of HasCol's scan of every
// column found so far: still N! decodings, but quick enough up to N = 10.
CMatrix DistributionMatrixHashed(int N, int k);

// Every element by its formula, T being BasisNNS0(k) or BasisNNS1(k).
CMatrix BasisKN(const CMatrix& D, const CMatrix& T, int n);

} // namespace lumisplit::literal
