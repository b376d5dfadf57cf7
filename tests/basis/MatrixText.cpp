#include "MatrixText.h"

namespace lumisplit::test {

CMatrix FromRows(const std::vector<std::string>& rows) {
    std::vector<std::vector<int>> values;
    for (const std::string& row : rows) {
        values.emplace_back();
        for (char c : row)
            if (c != ' ')
                values.back().push_back(c - '0');
    }
    const int cols = values.empty() ? 0 : static_cast<int>(values.front().size());
    CMatrix m(static_cast<int>(values.size()), cols);
    for (int r = 0; r < m.GetRows(); ++r)
        for (int c = 0; c < cols; ++c)
            m.SetAt(r, c, values[static_cast<std::size_t>(r)][static_cast<std::size_t>(c)]);
    return m;
}

std::vector<std::string> ToRows(const CMatrix& m) {
    std::vector<std::string> rows;
    for (int r = 0; r < m.GetRows(); ++r) {
        std::string row;
        for (int c = 0; c < m.GetCols(); ++c)
            row += static_cast<char>('0' + m.GetAt(r, c));
        rows.push_back(row);
    }
    return rows;
}

} // namespace lumisplit::test
