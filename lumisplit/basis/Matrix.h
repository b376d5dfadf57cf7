#pragma once
// CMatrix: the small integer tables of the program (basis matrices, the
// distribution matrix, the qualified-sets table). Every element fits in a byte,
// so rows are stored compactly; the interface speaks int.

#include <cstdint>
#include <span>
#include <vector>

namespace lumisplit {

class RandomSource;

class CMatrix {
public:
    CMatrix() = default;
    CMatrix(int rows, int cols); // a negative count is taken as 0; elements start at 0
    virtual ~CMatrix() = default;
    CMatrix(const CMatrix&) = default;
    CMatrix& operator=(const CMatrix&) = default;
    CMatrix(CMatrix&&) noexcept = default;
    CMatrix& operator=(CMatrix&&) noexcept = default;

    int GetRows() const { return m_nRows; }
    int GetCols() const { return m_nCols; }
    int GetAt(int row, int col) const { return m_data[Index(row, col)]; }
    void SetAt(int row, int col, int value) {
        m_data[Index(row, col)] = static_cast<std::uint8_t>(value);
    }

    void DeleteCol(int index);                    // out of range: no change
    void InsertRow(int index, const int* values); // index 0 .. rows; else no change
    void InsertCol(int index, const int* values); // index 0 .. cols; else no change
    // A uniformly random order of the columns (Fisher-Yates).
    void PermuteCols(RandomSource& random);
    // Keeps the columns whose flag is set, in their order, and drops the rest
    // in one pass (deleting many columns one by one would be quadratic).
    // keep has one flag per column.
    void KeepCols(const std::vector<bool>& keep);

    // Row-major bytes, for code that walks whole rows.
    const std::uint8_t* RowData(int row) const { return m_data.data() + Index(row, 0); }
    std::uint8_t* RowData(int row) { return m_data.data() + Index(row, 0); }

    bool operator==(const CMatrix& other) const = default;

private:
    std::size_t Index(int row, int col) const {
        return static_cast<std::size_t>(row) * static_cast<std::size_t>(m_nCols) +
               static_cast<std::size_t>(col);
    }
    std::vector<std::uint8_t> m_data;
    int m_nRows = 0;
    int m_nCols = 0;
};

// The codes of columns begin .. begin + codes.size() - 1 of rows 0 .. rows - 1
// of a 0/1 matrix, bit r set when row r holds a 1 (rows <= 32). Reads every
// row sequentially, so a caller walks a long matrix a chunk of columns at a time.
void ColumnCodes(const CMatrix& m, int rows, std::size_t begin, std::span<std::uint32_t> codes);

} // namespace lumisplit
