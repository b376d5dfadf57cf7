#include "basis/BasisPair.h"

#include "basis/Budget.h"
#include "basis/Elementary.h"
#include "basis/General.h"
#include "basis/RemoveCommonCols.h"
#include "basis/Threshold.h"
#include "imaging/Report.h"

#include <cstdint>
#include <string>

namespace lumisplit {

namespace {

// The large constructions in four steps: the table they start from (D, or F
// and A), S0, S1, and the removal of common columns.
class Steps {
public:
    explicit Steps(const Progress& progress) : m_progress(progress) {}
    void Done() {
        if (m_progress)
            m_progress(++m_done, kTotal);
    }

private:
    static constexpr std::uint64_t kTotal = 4;
    const Progress& m_progress;
    std::uint64_t m_done = 0;
};

std::string TooLarge(const std::string& what, const std::string& subpixels, int n) {
    return what + " needs " + subpixels +
           " subpixels per share, more than this tool can build (limit " +
           std::to_string(SubpixelLimit(n)) + ").";
}

std::optional<BasisPair> BuildKN(int n, int k, Steps& steps) {
    if (k < 2 || k > n) {
        Report("The threshold k must be from 2 to n = " + std::to_string(n) + ", not " +
               std::to_string(k) + ".");
        return std::nullopt;
    }
    const std::string what =
        "The (k,n) scheme with n = " + std::to_string(n) + ", k = " + std::to_string(k);
    const std::optional<std::uint64_t> subpixels = KNSubpixelCount(n, k);
    if (!subpixels || *subpixels > SubpixelLimit(n)) {
        Report(subpixels ? TooLarge(what, std::to_string(*subpixels), n)
                         : what + " needs more subpixels per share than this tool can count.");
        return std::nullopt;
    }
    const int N = (n + k - 1) / k * k;
    const CMatrix D = DistributionMatrix(N, k);
    steps.Done();
    BasisPair pair;
    pair.S0 = BasisKNS0(D, k, n);
    steps.Done();
    pair.S1 = BasisKNS1(D, k, n);
    steps.Done();
    RemoveCommonCols(pair.S1, pair.S0);
    steps.Done();
    return pair;
}

bool CheckQualifiedSets(const CMatrix* Q, int n) {
    if (!Q || Q->GetRows() == 0)
        return true; // refused below, once the pair turns out to have no columns
    if (Q->GetCols() != n) {
        Report("The table of qualified sets has " + std::to_string(Q->GetCols()) +
               " columns, but there are n = " + std::to_string(n) + " participants.");
        return false;
    }
    for (int r = 0; r < Q->GetRows(); ++r) {
        bool member = false;
        for (int j = 0; j < n; ++j) {
            const int value = Q->GetAt(r, j);
            if (value != 0 && value != 1) {
                Report("The table of qualified sets may hold only 0 and 1.");
                return false;
            }
            member = member || value == 1;
        }
        // Such a set would make every group qualified, even no participant at all.
        if (!member) {
            Report("A qualified set must name at least one participant.");
            return false;
        }
    }
    return true;
}

std::optional<BasisPair> BuildGeneral(int n, const CMatrix* Q, Steps& steps) {
    if (!CheckQualifiedSets(Q, n))
        return std::nullopt;
    // An empty selection, whatever width its table has: no group is qualified.
    const CMatrix none(0, n);
    const CMatrix F = MaximalForbiddenSets(Q && Q->GetRows() > 0 ? *Q : none, n);
    const int t = F.GetRows();
    // 2^(t-1) columns; t reaches 126 for n = 9 (every 4 of 9 maximal forbidden).
    if (t > 31 || (std::uint64_t{1} << (t - 1)) > SubpixelLimit(n)) {
        Report(TooLarge("The general access structure with n = " + std::to_string(n) +
                            " has t = " + std::to_string(t) + " maximal forbidden sets and",
                        t <= 64 ? std::to_string(std::uint64_t{1} << (t - 1))
                                : "2^" + std::to_string(t - 1),
                        n));
        return std::nullopt;
    }
    const CMatrix A = CumulativeArray(F);
    steps.Done();
    BasisPair pair;
    pair.S0 = GeneralBasisS0(A, n);
    steps.Done();
    pair.S1 = GeneralBasisS1(A, n);
    steps.Done();
    RemoveCommonCols(pair.S1, pair.S0);
    steps.Done();
    return pair;
}

} // namespace

std::optional<BasisPair> BuildBasisPair(int scheme, int n, int k, const CMatrix* qualifiedSets) {
    return BuildBasisPair(scheme, n, k, qualifiedSets, Progress());
}

std::optional<BasisPair> BuildBasisPair(int scheme, int n, int k, const CMatrix* qualifiedSets,
                                        const Progress& progress) {
    Steps steps(progress);
    if (scheme < kScheme22 || scheme > kSchemeGeneral) {
        Report("Unknown access structure " + std::to_string(scheme) +
               ": the schemes are numbered 0 to 4.");
        return std::nullopt;
    }
    if (scheme == kScheme22)
        return BasisPair{Basis22S0(), Basis22S1()};
    if (n < kMinParticipants || n > kMaxParticipants) {
        Report("The number of participants n must be from " + std::to_string(kMinParticipants) +
               " to " + std::to_string(kMaxParticipants) + ", not " + std::to_string(n) + ".");
        return std::nullopt;
    }
    switch (scheme) {
    case kScheme2N:
        return BasisPair{Basis2NS0(n), Basis2NS1(n)};
    case kSchemeNN:
        return BasisPair{BasisNNS0(n), BasisNNS1(n)};
    case kSchemeKN:
        return BuildKN(n, k, steps);
    default:
        break;
    }
    std::optional<BasisPair> pair = BuildGeneral(n, qualifiedSets, steps);
    // Only an empty selection leaves no column: every other one has a group
    // that sees one more black subpixel in S1.
    if (pair && pair->S0.GetCols() == 0) {
        Report("No minimal qualified set was chosen: the scheme has no subpixels to share.");
        return std::nullopt;
    }
    return pair;
}

} // namespace lumisplit
