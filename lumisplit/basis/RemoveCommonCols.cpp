#include "basis/RemoveCommonCols.h"

#include <algorithm>
#include <cstdint>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace lumisplit {

namespace {

constexpr std::uint32_t kNoClass = UINT32_MAX;

// Gives every distinct column content (rows 0 .. rows - 1) a class number.
// Matrices of 0/1 with few rows use the column's bits as its class directly;
// anything else is interned through a hash map of the column's bytes.
class ColumnClasses {
public:
    ColumnClasses(const CMatrix& A, const CMatrix& B, int rows)
        : m_rows(rows), m_packed(rows <= kMaxPackedRows && IsBinary(A, rows) && IsBinary(B, rows)) {
    }

    std::uint32_t Count() const {
        return m_packed ? std::uint32_t{1} << m_rows : static_cast<std::uint32_t>(m_ids.size());
    }

    // The class of every column; new contents get a new class when `intern`,
    // otherwise kNoClass.
    std::vector<std::uint32_t> Classify(const CMatrix& m, bool intern) {
        const auto cols = static_cast<std::size_t>(m.GetCols());
        std::vector<std::uint32_t> classes(cols, 0);
        if (m_packed) {
            // Row by row, so every row is read in one sequential sweep.
            for (int r = 0; r < m_rows; ++r) {
                const std::uint8_t* row = m.RowData(r);
                for (std::size_t c = 0; c < cols; ++c)
                    classes[c] |= static_cast<std::uint32_t>(row[c]) << r;
            }
            return classes;
        }
        std::string key(static_cast<std::size_t>(m_rows), '\0');
        for (std::size_t c = 0; c < cols; ++c) {
            for (int r = 0; r < m_rows; ++r)
                key[static_cast<std::size_t>(r)] = static_cast<char>(m.RowData(r)[c]);
            const auto found = m_ids.find(std::string_view(key));
            if (found != m_ids.end())
                classes[c] = found->second;
            else if (intern)
                classes[c] =
                    m_ids.emplace(key, static_cast<std::uint32_t>(m_ids.size())).first->second;
            else
                classes[c] = kNoClass;
        }
        return classes;
    }

private:
    static constexpr int kMaxPackedRows = 16;

    static bool IsBinary(const CMatrix& m, int rows) {
        const auto cols = static_cast<std::size_t>(m.GetCols());
        for (int r = 0; r < rows; ++r) {
            const std::uint8_t* row = m.RowData(r);
            for (std::size_t c = 0; c < cols; ++c)
                if (row[c] > 1)
                    return false;
        }
        return true;
    }

    struct Hash {
        using is_transparent = void;
        std::size_t operator()(std::string_view s) const {
            return std::hash<std::string_view>{}(s);
        }
    };

    int m_rows;
    bool m_packed;
    std::unordered_map<std::string, std::uint32_t, Hash, std::equal_to<>> m_ids;
};

// Keeps all but the first budget[class] columns of each class.
std::vector<bool> KeepAfterFirst(const std::vector<std::uint32_t>& classes,
                                 std::vector<std::uint32_t> budget) {
    std::vector<bool> keep(classes.size(), true);
    for (std::size_t c = 0; c < classes.size(); ++c) {
        const std::uint32_t cls = classes[c];
        if (cls != kNoClass && budget[cls] > 0) {
            --budget[cls];
            keep[c] = false;
        }
    }
    return keep;
}

} // namespace

void RemoveCommonCols(CMatrix& A, CMatrix& B) {
    // Walking B in order and pairing each column with the earliest remaining
    // equal column of A removes, for every content, the first p columns of
    // that content from each matrix, p being the smaller of its two counts.
    const int rows = B.GetRows();
    if (A.GetRows() < rows || A.GetCols() == 0 || B.GetCols() == 0)
        return;
    ColumnClasses classes(A, B, rows);

    std::vector<std::uint32_t> pairs;
    {
        const std::vector<std::uint32_t> ofA = classes.Classify(A, true);
        pairs.assign(classes.Count(), 0);
        for (std::uint32_t cls : ofA)
            ++pairs[cls];
    }
    std::vector<std::uint32_t> inB(pairs.size(), 0);
    std::vector<std::uint32_t> ofB = classes.Classify(B, false);
    for (std::uint32_t cls : ofB)
        if (cls != kNoClass)
            ++inB[cls];
    bool any = false;
    for (std::size_t cls = 0; cls < pairs.size(); ++cls) {
        pairs[cls] = std::min(pairs[cls], inB[cls]);
        any = any || pairs[cls] > 0;
    }
    if (!any)
        return;

    B.KeepCols(KeepAfterFirst(ofB, pairs));
    std::vector<std::uint32_t>().swap(ofB);
    // Classified again rather than kept from above: one class array at a time
    // keeps the peak memory down on matrices of millions of columns.
    A.KeepCols(KeepAfterFirst(classes.Classify(A, false), pairs));
}

} // namespace lumisplit
