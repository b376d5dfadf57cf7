#include "Literal.h"

#include "basis/Elementary.h"
#include "basis/Threshold.h"

#include <vector>

namespace lumisplit::literal {

void RemoveCommonCols(CMatrix& A, CMatrix& B) {
    int i = 0;
    while (i < B.GetCols()) {
        int found = -1;
        for (int j = 0; j < A.GetCols() && found < 0; ++j) {
            bool equal = true;
            for (int r = 0; r < B.GetRows() && equal; ++r)
                equal = A.GetAt(r, j) == B.GetAt(r, i);
            if (equal)
                found = j;
        }
        if (found >= 0) {
            A.DeleteCol(found);
            B.DeleteCol(i);
        } else {
            ++i;
        }
    }
}

CMatrix DistributionMatrix(int N, int k) {
    CMatrix D(N, 0);
    const int q = N / k;
    std::vector<int> base(static_cast<std::size_t>(N), 0);
    for (int i = 0; i < k; ++i)
        for (int j = 0; j < q; ++j)
            base[static_cast<std::size_t>(q * i + j)] = i;
    for (int a = 0; a < Factorial(N); ++a) {
        std::vector<int> v = base;
        DecodePermutation(v, a);
        if (!HasCol(v, D))
            D.InsertCol(D.GetCols(), v.data());
    }
    return D;
}

CMatrix BasisKN(const CMatrix& D, const CMatrix& T, int n) {
    // Column i * cols(T) + j, the j-th of block i, row r: T[D[r][i]][j].
    CMatrix S(n, D.GetCols() * T.GetCols());
    for (int i = 0; i < D.GetCols(); ++i)
        for (int j = 0; j < T.GetCols(); ++j)
            for (int r = 0; r < n; ++r)
                S.SetAt(r, i * T.GetCols() + j, T.GetAt(D.GetAt(r, i), j));
    return S;
}

} // namespace lumisplit::literal
