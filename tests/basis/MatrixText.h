#pragma once
// Matrices written as the rows of their 0/1 (or digit) entries, "0 1 1 0" or
// "0110", to keep the expected tables of the tests readable.

#include "basis/Matrix.h"

#include <string>
#include <vector>

namespace lumisplit::test {

// One string per row; blanks are ignored, every other character is a digit.
CMatrix FromRows(const std::vector<std::string>& rows);
std::vector<std::string> ToRows(const CMatrix& m);

} // namespace lumisplit::test
