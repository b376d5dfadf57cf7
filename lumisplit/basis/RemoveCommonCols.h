#pragma once
// Strips the column pairs that two basis matrices have in common.

#include "basis/Matrix.h"

namespace lumisplit {

// Each column of B, in order, is removed together with the first still present
// column of A that equals it (rows 0 .. rows(B) - 1 compared); the remaining
// columns of both keep their order and both lose the same number of columns.
// Runs in time linear in the size of the matrices. An A with fewer rows than B
// has no column equal to one of B, and nothing changes.
void RemoveCommonCols(CMatrix& A, CMatrix& B);

} // namespace lumisplit
