#pragma once
// The basis pair of an access structure, built as the Encrypt command builds it.

#include "basis/Matrix.h"
#include "shares/Progress.h"

#include <optional>

namespace lumisplit {

enum Scheme : int {
    kScheme22 = 0,      // "(2,2)-threshold VCS"
    kScheme2N = 1,      // "(2,n)-threshold VCS"
    kSchemeNN = 2,      // "(n,n)-threshold VCS"
    kSchemeKN = 3,      // "(k,n)-threshold VCS"
    kSchemeGeneral = 4, // "General Access Structure"
};

// The participants a scheme may have (one digit names each share file).
inline constexpr int kMinParticipants = 2;
inline constexpr int kMaxParticipants = 9;

struct BasisPair {
    CMatrix S0; // white secret pixels
    CMatrix S1; // black secret pixels
};

// S0 and S1 for the scheme, after RemoveCommonCols for (k,n) and general.
// qualifiedSets is the minimal-qualified-sets table (one row per set, n columns)
// and is read only for kSchemeGeneral. Parameters that cannot be built (out of
// range, or over the size budget) are refused through Report() before anything
// large is allocated, and the answer is empty.
std::optional<BasisPair> BuildBasisPair(int scheme, int n, int k, const CMatrix* qualifiedSets);
// The same, telling progress in steps of the build (the (k,n) and general
// constructions take seconds at their largest: (9,9) has 92897280 columns).
std::optional<BasisPair> BuildBasisPair(int scheme, int n, int k, const CMatrix* qualifiedSets,
                                        const Progress& progress);

} // namespace lumisplit
