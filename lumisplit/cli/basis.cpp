#include "basis/General.h"
#include "basis/Verify.h"
#include "cli/Cli.h"
#include "cli/SchemeOptions.h"
#include "cli/TerminalProgress.h"

#include <bit>
#include <iostream>
#include <string>

namespace lumisplit::cli {

namespace {

constexpr const char* kBasisUsage =
    "Usage: lumisplit-cli basis --scheme SCHEME [-n N] [-k K] [--sets SETS] [--json] [--verify]\n"
    "\n"
    "Builds the basis matrices S0 (white secret pixels) and S1 (black secret pixels)\n"
    "of an access structure exactly as a split uses them, and prints them: one row\n"
    "per participant, one column per subpixel, 1 for black.\n"
    "\n"
    "Options:\n";

constexpr const char* kBasisOptions =
    "  --json           print one JSON object with n, m, S0 and S1 (each an array of\n"
    "                   row strings of 0 and 1, row 0 first)\n"
    "  --verify         check every group of participants: a qualified group must see\n"
    "                   more black subpixels in S1 than in S0, any other group the\n"
    "                   same columns in both; exit status 1 when the check fails\n"
    "  --help           show this text\n"
    "\n"
    "Qualified groups: at least k participants for the threshold schemes (k = 2 for\n"
    "2-2 and 2-n, k = N for n-n); for general, every group holding a chosen set.\n"
    "Exit status: 0 success, 1 refused or check failed, 2 wrong command line.\n";

std::string RowText(const CMatrix& m, int r, bool spaced) {
    const auto cols = static_cast<std::size_t>(m.GetCols());
    const std::size_t step = spaced ? 2 : 1;
    std::string text(cols == 0 ? 0 : cols * step - (step - 1), ' ');
    const std::uint8_t* row = m.RowData(r);
    for (std::size_t c = 0; c < cols; ++c)
        text[c * step] = row[c] != 0 ? '1' : '0';
    return text;
}

void PrintText(const char* name, const CMatrix& m) {
    std::cout << name << '\n';
    for (int r = 0; r < m.GetRows(); ++r)
        std::cout << "  " << RowText(m, r, true) << '\n';
}

void PrintJsonMatrix(const char* name, const CMatrix& m) {
    std::cout << "  \"" << name << "\": [";
    for (int r = 0; r < m.GetRows(); ++r)
        std::cout << (r > 0 ? ",\n    \"" : "\n    \"") << RowText(m, r, false) << '"';
    std::cout << "\n  ]";
}

bool IsQualified(const SchemeOptions& options, std::uint32_t group) {
    if (options.scheme != kSchemeGeneral)
        return std::popcount(group) >= options.k;
    return IsQualifiedGroup(options.qualifiedSets, group);
}

} // namespace

int RunBasis(std::span<const std::string_view> args) {
    if (AsksForHelp(args)) {
        std::cout << kBasisUsage << kSchemeOptionsHelp << kBasisOptions;
        return kExitOk;
    }
    SchemeOptionsResult parsed = ParseSchemeOptions(args);
    if (!parsed.options)
        return UsageError("basis: " + parsed.error);
    bool json = false;
    bool verify = false;
    for (std::string_view arg : parsed.others) {
        if (arg == "--json")
            json = true;
        else if (arg == "--verify")
            verify = true;
        else
            return UsageError("basis: unknown argument '" + std::string(arg) + "'");
    }
    const SchemeOptions& options = *parsed.options;

    std::optional<BasisPair> pair;
    {
        TerminalProgress progress("basis: building the basis matrices");
        pair = BuildPair(options, progress.Callback());
    }
    if (!pair)
        return kExitFailed;

    std::optional<PairVerdict> check;
    if (verify)
        check = VerifyBasisPair(
            *pair, [&options](std::uint32_t group) { return IsQualified(options, group); });

    const int n = pair->S0.GetRows();
    const int m = pair->S0.GetCols();
    if (json) {
        std::cout << "{\n  \"n\": " << n << ",\n  \"m\": " << m << ",\n";
        PrintJsonMatrix("S0", pair->S0);
        std::cout << ",\n";
        PrintJsonMatrix("S1", pair->S1);
        if (check) {
            std::cout << ",\n  \"verified\": " << (check->passed ? "true" : "false");
            if (check->smallestContrast)
                std::cout << ",\n  \"smallestContrast\": " << *check->smallestContrast;
        }
        std::cout << "\n}\n";
    } else {
        std::cout << "n = " << n << ", m = " << m << '\n';
        PrintText("S0 (white):", pair->S0);
        PrintText("S1 (black):", pair->S1);
        if (check) {
            if (check->passed)
                std::cout << "Check passed: every qualified group sees at least "
                          << check->smallestContrast.value_or(0)
                          << " more black subpixels in S1 than in S0, and every other group "
                             "sees the same columns in both.\n";
            else
                std::cout << "Check FAILED: " << check->failure << ".\n";
        }
    }
    std::cout.flush();
    if (!std::cout) {
        std::cerr << "lumisplit-cli: basis: the output could not be written\n";
        return kExitFailed;
    }
    return check && !check->passed ? kExitFailed : kExitOk;
}

} // namespace lumisplit::cli
