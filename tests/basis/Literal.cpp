#include "Literal.h"

#include "basis/Elementary.h"
#include "basis/Threshold.h"

#include <cstdint>
#include <unordered_set>
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

namespace {

// q = N / k zeros, q ones, ..., q times k - 1.
std::vector<int> BaseVector(int N, int k) {
    const int q = N / k;
    std::vector<int> base(static_cast<std::size_t>(N), 0);
    for (int i = 0; i < k; ++i)
        for (int j = 0; j < q; ++j)
            base[static_cast<std::size_t>(q * i + j)] = i;
    return base;
}

} // namespace

CMatrix DistributionMatrix(int N, int k) {
    CMatrix D(N, 0);
    const std::vector<int> base = BaseVector(N, k);
    for (int a = 0; a < Factorial(N); ++a) {
        std::vector<int> v = base;
        DecodePermutation(v, a);
        if (!HasCol(v, D))
            D.InsertCol(D.GetCols(), v.data());
    }
    return D;
}

CMatrix DistributionMatrixHashed(int N, int k) {
    CMatrix D;
    const std::vector<int> base = BaseVector(N, k);
    std::unordered_set<std::uint64_t> seen;
    std::vector<std::vector<int>> columns; // appended at the end: InsertCol is quadratic
    std::vector<int> v;
    for (int a = 0; a < Factorial(N); ++a) {
        v = base;
        DecodePermutation(v, a);
        std::uint64_t key = 0;
        for (int value : v)
            key = key * 16 + static_cast<std::uint64_t>(value);
        if (seen.insert(key).second)
            columns.push_back(v);
    }
    D = CMatrix(N, static_cast<int>(columns.size()));
    for (int c = 0; c < D.GetCols(); ++c)
        for (int r = 0; r < N; ++r)
            D.SetAt(r, c, columns[static_cast<std::size_t>(c)][static_cast<std::size_t>(r)]);
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
