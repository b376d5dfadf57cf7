#include "basis/General.h"

#include <algorithm>
#include <bit>
#include <cstdint>
#include <vector>

namespace lumisplit {

namespace {

// True when some row of sets lies inside the group: every participant j with
// a 1 in the row answers holds(j).
template <class Holds> bool SomeRowInside(const CMatrix& sets, Holds holds) {
    for (int r = 0; r < sets.GetRows(); ++r) {
        bool fits = true;
        for (int j = 0; j < sets.GetCols() && fits; ++j)
            if (sets.GetAt(r, j) == 1 && !holds(j))
                fits = false;
        if (fits)
            return true;
    }
    return false;
}

} // namespace

bool IsQualifiedSet(const CMatrix& sets, std::span<const int> x) {
    return SomeRowInside(sets, [x](int j) { return x[static_cast<std::size_t>(j)] == 1; });
}

bool IsQualifiedGroup(const CMatrix& sets, std::uint32_t group) {
    return SomeRowInside(sets, [group](int j) { return ((group >> j) & 1u) != 0; });
}

CMatrix MaximalForbiddenSets(const CMatrix& Q, int n) {
    CMatrix F(0, n);
    if (Q.GetCols() != n || n < 1 || n > 16)
        return F;
    std::vector<int> x(static_cast<std::size_t>(n));
    const std::uint32_t groups = std::uint32_t{1} << n;
    for (std::uint32_t c = 0; c < groups; ++c) {
        for (int j = 0; j < n; ++j)
            x[static_cast<std::size_t>(j)] = static_cast<int>((c >> j) & 1u);
        if (IsQualifiedSet(Q, x))
            continue;
        bool maximal = true;
        for (std::size_t j = 0; j < x.size() && maximal; ++j) {
            if (x[j] != 0)
                continue;
            x[j] = 1;
            maximal = IsQualifiedSet(Q, x);
            x[j] = 0;
        }
        if (maximal)
            F.InsertRow(F.GetRows(), x.data());
    }
    return F;
}

CMatrix CumulativeArray(const CMatrix& F) {
    const int n = F.GetCols();
    const int t = F.GetRows();
    CMatrix A(n, t);
    for (int i = 0; i < n; ++i)
        for (int j = 0; j < t; ++j)
            A.SetAt(i, j, F.GetAt(j, i) == 1 ? 0 : 1);
    return A;
}

namespace {

// Row i of the result, at the column of code, is 1 when code shares a bit
// with row i of A: the OR of the (t,t) rows that participant i holds.
CMatrix GeneralBasis(const CMatrix& A, int n, unsigned parity) {
    const int t = A.GetCols();
    if (t < 1 || t > 30)
        return CMatrix(n, 0);
    std::vector<std::uint32_t> pieces(static_cast<std::size_t>(n), 0);
    for (int i = 0; i < std::min(n, A.GetRows()); ++i)
        for (int j = 0; j < t; ++j)
            if (A.GetAt(i, j) == 1)
                pieces[static_cast<std::size_t>(i)] |= std::uint32_t{1} << j;
    CMatrix S(n, 1 << (t - 1));
    for (int i = 0; i < n; ++i) {
        const std::uint32_t held = pieces[static_cast<std::size_t>(i)];
        std::uint8_t* row = S.RowData(i);
        const std::uint32_t end = std::uint32_t{1} << t;
        for (std::uint32_t code = 0; code < end; ++code)
            if ((static_cast<unsigned>(std::popcount(code)) & 1u) == parity)
                *row++ = (code & held) != 0 ? 1 : 0;
    }
    return S;
}

} // namespace

CMatrix GeneralBasisS0(const CMatrix& A, int n) {
    return GeneralBasis(A, n, 0);
}
CMatrix GeneralBasisS1(const CMatrix& A, int n) {
    return GeneralBasis(A, n, 1);
}

} // namespace lumisplit
