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

    // Calls visit(column, class) for every column in order; new contents get
    // a new class when `intern`, otherwise kNoClass. Works through the columns
    // in chunks, row by row within a chunk, so that every row is read
    // sequentially and no array as long as the matrix is needed.
    template <class Visit> void ForEachColumn(const CMatrix& m, bool intern, Visit visit) {
        const auto cols = static_cast<std::size_t>(m.GetCols());
        std::vector<std::uint32_t> classes;
        std::string key;
        for (std::size_t begin = 0; begin < cols; begin += kChunk) {
            const std::size_t count = std::min(kChunk, cols - begin);
            classes.resize(count);
            if (m_packed) {
                ColumnCodes(m, m_rows, begin, classes);
            } else {
                key.assign(static_cast<std::size_t>(m_rows), '\0');
                for (std::size_t c = 0; c < count; ++c) {
                    for (int r = 0; r < m_rows; ++r)
                        key[static_cast<std::size_t>(r)] =
                            static_cast<char>(m.RowData(r)[begin + c]);
                    classes[c] = Find(key, intern);
                }
            }
            for (std::size_t c = 0; c < count; ++c)
                visit(begin + c, classes[c]);
        }
    }

private:
    static constexpr int kMaxPackedRows = 16;
    static constexpr std::size_t kChunk = 4096;

    std::uint32_t Find(const std::string& key, bool intern) {
        const auto found = m_ids.find(std::string_view(key));
        if (found != m_ids.end())
            return found->second;
        if (!intern)
            return kNoClass;
        return m_ids.emplace(key, static_cast<std::uint32_t>(m_ids.size())).first->second;
    }

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
std::vector<bool> KeepAfterFirst(ColumnClasses& classes, const CMatrix& m,
                                 std::vector<std::uint32_t> budget) {
    std::vector<bool> keep(static_cast<std::size_t>(m.GetCols()), true);
    classes.ForEachColumn(m, false, [&](std::size_t c, std::uint32_t cls) {
        if (cls < budget.size() && budget[cls] > 0) {
            --budget[cls];
            keep[c] = false;
        }
    });
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

    std::vector<std::uint32_t> inA;
    classes.ForEachColumn(A, true, [&inA](std::size_t, std::uint32_t cls) {
        if (cls >= inA.size())
            inA.resize(cls + 1, 0);
        ++inA[cls];
    });
    std::vector<std::uint32_t> pairs(inA.size(), 0);
    classes.ForEachColumn(B, false, [&pairs](std::size_t, std::uint32_t cls) {
        if (cls != kNoClass && cls < pairs.size())
            ++pairs[cls];
    });
    bool any = false;
    for (std::size_t cls = 0; cls < pairs.size(); ++cls) {
        pairs[cls] = std::min(pairs[cls], inA[cls]);
        any = any || pairs[cls] > 0;
    }
    if (!any)
        return;
    B.KeepCols(KeepAfterFirst(classes, B, pairs));
    A.KeepCols(KeepAfterFirst(classes, A, pairs));
}

} // namespace lumisplit
