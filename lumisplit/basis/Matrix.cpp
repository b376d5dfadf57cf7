#include "basis/Matrix.h"

#include "random/RandomSource.h"

#include <algorithm>
#include <utility>

namespace lumisplit {

CMatrix::CMatrix(int rows, int cols) : m_nRows(std::max(rows, 0)), m_nCols(std::max(cols, 0)) {
    m_data.assign(static_cast<std::size_t>(m_nRows) * static_cast<std::size_t>(m_nCols), 0);
}

void CMatrix::DeleteCol(int index) {
    if (index < 0 || index >= m_nCols)
        return;
    std::vector<std::uint8_t> next;
    next.reserve(static_cast<std::size_t>(m_nRows) * static_cast<std::size_t>(m_nCols - 1));
    for (int r = 0; r < m_nRows; ++r) {
        const std::uint8_t* row = RowData(r);
        next.insert(next.end(), row, row + index);
        next.insert(next.end(), row + index + 1, row + m_nCols);
    }
    m_data = std::move(next);
    --m_nCols;
}

void CMatrix::InsertRow(int index, const int* values) {
    if (index < 0 || index > m_nRows)
        return;
    std::vector<std::uint8_t> row(static_cast<std::size_t>(m_nCols));
    for (int c = 0; c < m_nCols; ++c)
        row[static_cast<std::size_t>(c)] = static_cast<std::uint8_t>(values[c]);
    m_data.insert(m_data.begin() + static_cast<std::ptrdiff_t>(Index(index, 0)), row.begin(),
                  row.end());
    ++m_nRows;
}

void CMatrix::InsertCol(int index, const int* values) {
    if (index < 0 || index > m_nCols)
        return;
    std::vector<std::uint8_t> next;
    next.reserve(static_cast<std::size_t>(m_nRows) * static_cast<std::size_t>(m_nCols + 1));
    for (int r = 0; r < m_nRows; ++r) {
        const std::uint8_t* row = RowData(r);
        next.insert(next.end(), row, row + index);
        next.push_back(static_cast<std::uint8_t>(values[r]));
        next.insert(next.end(), row + index, row + m_nCols);
    }
    m_data = std::move(next);
    ++m_nCols;
}

void CMatrix::KeepCols(const std::vector<bool>& keep) {
    std::size_t kept = 0;
    for (int c = 0; c < m_nCols; ++c)
        kept += keep[static_cast<std::size_t>(c)] ? 1 : 0;
    if (kept == static_cast<std::size_t>(m_nCols))
        return;
    // Compacts in place: every kept element moves to an index not above its own.
    std::size_t out = 0;
    for (int r = 0; r < m_nRows; ++r) {
        const std::size_t in = Index(r, 0);
        for (int c = 0; c < m_nCols; ++c)
            if (keep[static_cast<std::size_t>(c)])
                m_data[out++] = m_data[in + static_cast<std::size_t>(c)];
    }
    m_data.resize(out);
    m_data.shrink_to_fit();
    m_nCols = static_cast<int>(kept);
}

void CMatrix::PermuteCols(RandomSource& random) {
    // Fisher-Yates over column indices, applied to every row: every order is
    // equally likely (a biased order would leak the secret in block methods).
    for (int i = m_nCols - 1; i > 0; --i) {
        const int j = static_cast<int>(random.Below(static_cast<std::uint32_t>(i) + 1));
        if (j == i)
            continue;
        for (int r = 0; r < m_nRows; ++r) {
            std::uint8_t* row = RowData(r);
            std::swap(row[i], row[j]);
        }
    }
}

void ColumnCodes(const CMatrix& m, int rows, std::size_t begin, std::span<std::uint32_t> codes) {
    std::fill(codes.begin(), codes.end(), 0);
    for (int r = 0; r < rows; ++r) {
        const std::uint8_t* row = m.RowData(r) + begin;
        for (std::size_t c = 0; c < codes.size(); ++c)
            codes[c] |= static_cast<std::uint32_t>(row[c] != 0) << r;
    }
}

} // namespace lumisplit
