#pragma once
// Counting helpers and the basis matrices of the elementary threshold schemes
// (2,2), (n,n) and (2,n). Row r of a column built from a code holds bit r of
// the code, so row 0 holds the lowest bit.

#include "basis/Matrix.h"

namespace lumisplit {

// a! in 32-bit int; 1 for a <= 1. Exact up to 12!; from 13 on the value wraps
// around and means nothing, so callers keep a at 12 or below.
int Factorial(int a);
// C(a, floor(a/2)), from Factorial, so exact for a <= 12.
int CentralBinomial(int a);

// Rows (0 1), (0 1) and (0 1), (1 0).
CMatrix Basis22S0();
CMatrix Basis22S1();

// n x 2^(n-1): the codes 0 .. 2^n - 1 of even (S0) or odd (S1) weight, in
// increasing order. For 1 <= n <= 30; other n give an empty matrix.
CMatrix BasisNNS0(int n);
CMatrix BasisNNS1(int n);

// n x C(n, floor(n/2)). S1: the codes of weight floor(n/2) in increasing
// order. S0: equal rows, C(n-1, h) zero columns then C(n-1, h-1) one columns.
// Meant for 2 <= n <= 12; n = 1 gives the single column (0) in both, n <= 0 or
// n > 12 an empty matrix.
CMatrix Basis2NS0(int n);
CMatrix Basis2NS1(int n);

} // namespace lumisplit
