#include "cli/Cli.h"
#include "cli/SchemeOptions.h"
#include "cli/TerminalProgress.h"
#include "random/RandomSource.h"
#include "shares/Shares.h"

#include <array>
#include <charconv>
#include <filesystem>
#include <iostream>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace lumisplit::cli {

namespace {

constexpr const char* kSplitUsage =
    "Usage: lumisplit-cli split SECRET.bmp --scheme SCHEME [-n N] [-k K] [--sets SETS]\n"
    "                           [--method METHOD] [--cover FILE]... [-o DIR] [--seed S]\n"
    "\n"
    "Splits a black-and-white BMP picture into the shares capa1.bmp ... capaN.bmp,\n"
    "one per participant, and prints the path of each. A pixel counts as black\n"
    "when its value is 0 (at 24 bits, all three bytes 0), as white otherwise.\n"
    "\n"
    "Options:\n";

constexpr const char* kSplitOptions =
    "  --method METHOD  how each secret pixel becomes subpixels (default random-column):\n"
    "                     0 random-column    one random basis column per pixel; same size\n"
    "                     1 sampling         one block per s x s pixels; same size, cut\n"
    "                                        to whole blocks\n"
    "                     2 square           an m x m block per pixel\n"
    "                     3 smallest-filler  the smallest square holding m subpixels,\n"
    "                                        the rest random\n"
    "                     4 smallest         the smallest square holding whole copies\n"
    "                                        of the m subpixels\n"
    "                     5 extended-size    like 0, each share also showing a cover\n"
    "                     6 extended-detail  like 4 on the extended matrix, with covers\n"
    "  --cover FILE     a cover picture (methods 5 and 6 only): give exactly N, in\n"
    "                   participant order, each at least as large as the secret\n"
    "  -o DIR           the folder for the shares (default: the current folder; created\n"
    "                   if missing). Older shares there are replaced all together or,\n"
    "                   on failure, not at all.\n"
    "  --seed S         draw from a generator seeded with S (0 to 2^64-1) instead of\n"
    "                   the system's cryptographic one. Seeded shares are NOT secret:\n"
    "                   anyone who knows or guesses S can recompute them. For tests.\n"
    "  --help           show this text\n"
    "\n"
    "Exit status: 0 success, 1 refused or failed, 2 wrong command line.\n";

constexpr std::array<std::string_view, 7> kMethodNames{
    "random-column", "sampling",      "square",         "smallest-filler",
    "smallest",      "extended-size", "extended-detail"};

// The whole of text as a decimal number of type T.
template <class T> std::optional<T> ParseNumber(std::string_view text) {
    T value = 0;
    const char* end = text.data() + text.size();
    const auto [ptr, ec] = std::from_chars(text.data(), end, value);
    if (text.empty() || ec != std::errc() || ptr != end)
        return std::nullopt;
    return value;
}

std::optional<int> ParseMethod(std::string_view text) {
    for (std::size_t i = 0; i < kMethodNames.size(); ++i)
        if (text == kMethodNames[i])
            return static_cast<int>(i);
    const std::optional<int> index = ParseNumber<int>(text);
    if (index && *index >= 0 && *index < static_cast<int>(kMethodNames.size()))
        return index;
    return std::nullopt;
}

struct SplitOptions {
    std::string secret;
    int method = kRandomBasisColumn;
    std::vector<std::string> covers;
    std::string folder;
    std::optional<std::uint64_t> seed;
};

// Fills options from the arguments left over by the scheme options; answers
// a usage error, or empty.
std::string ParseSplitOptions(const std::vector<std::string_view>& args, SplitOptions& options) {
    bool methodGiven = false, folderGiven = false;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string_view arg = args[i];
        const bool takesValue =
            arg == "--method" || arg == "--cover" || arg == "-o" || arg == "--seed";
        if (takesValue && i + 1 == args.size())
            return std::string(arg) + " needs a value";
        if (arg == "--method") {
            const auto method = ParseMethod(args[++i]);
            if (!method)
                return "unknown method '" + std::string(args[i]) +
                       "' (use 0 to 6 or a name from --help)";
            if (methodGiven)
                return "--method is given twice";
            methodGiven = true;
            options.method = *method;
        } else if (arg == "--cover") {
            options.covers.emplace_back(args[++i]);
        } else if (arg == "-o") {
            if (folderGiven)
                return "-o is given twice";
            folderGiven = true;
            options.folder = args[++i];
            if (options.folder.empty())
                return "-o needs a folder name";
        } else if (arg == "--seed") {
            if (options.seed)
                return "--seed is given twice";
            options.seed = ParseNumber<std::uint64_t>(args[++i]);
            if (!options.seed)
                return "--seed: '" + std::string(args[i]) + "' is not a number from 0 to 2^64-1";
        } else if (arg.size() > 1 && arg.front() == '-') {
            return "unknown option '" + std::string(arg) + "'";
        } else if (options.secret.empty()) {
            options.secret = arg;
        } else {
            return "only one secret picture, but '" + std::string(arg) + "' follows '" +
                   options.secret + "'";
        }
    }
    if (options.secret.empty())
        return "no secret picture given";
    return {};
}

} // namespace

int RunSplit(std::span<const std::string_view> args) {
    if (AsksForHelp(args)) {
        std::cout << kSplitUsage << kSchemeOptionsHelp << kSplitOptions;
        return kExitOk;
    }
    SchemeOptionsResult parsed = ParseSchemeOptions(args);
    if (!parsed.options)
        return UsageError("split: " + parsed.error);
    SplitOptions options;
    if (const std::string error = ParseSplitOptions(parsed.others, options); !error.empty())
        return UsageError("split: " + error);
    const bool extended =
        options.method == kExtendedPreserveSize || options.method == kExtendedPreserveDetail;
    if (!extended && !options.covers.empty())
        return UsageError("split: --cover is only for the methods extended-size and "
                          "extended-detail");
    if (extended && options.covers.size() != static_cast<std::size_t>(parsed.options->n))
        return UsageError("split: this method needs one --cover per participant (" +
                          std::to_string(parsed.options->n) + "), but " +
                          std::to_string(options.covers.size()) + " were given");

    // The pictures first: they are quick to read, the basis of a large scheme is not.
    CBmpImage secret(options.secret);
    if (!secret.Read())
        return kExitFailed;
    std::vector<CBmpImage> covers;
    for (const std::string& name : options.covers) {
        covers.emplace_back(name);
        if (!covers.back().Read())
            return kExitFailed;
    }
    std::optional<BasisPair> pair;
    {
        TerminalProgress progress("split: building the basis matrices");
        pair = BuildPair(*parsed.options, progress.Callback());
    }
    if (!pair)
        return kExitFailed;

    std::unique_ptr<RandomSource> random;
    if (options.seed)
        random = std::make_unique<SeededRandom>(*options.seed);
    else
        random = std::make_unique<SystemRandom>();
    std::optional<ShareSet> shares;
    {
        TerminalProgress progress("split");
        shares = MakeShares(options.method, secret, pair->S0, pair->S1, *random, covers,
                            progress.Callback());
    }
    if (!shares)
        return kExitFailed;

    if (!options.folder.empty()) {
        std::error_code ec;
        std::filesystem::create_directories(options.folder, ec);
        if (ec) {
            std::cerr << "lumisplit-cli: split: cannot create the folder " << options.folder << ": "
                      << ec.message() << '\n';
            return kExitFailed;
        }
    }
    if (!WriteShareSet(*shares, options.folder))
        return kExitFailed;
    for (const CBmpImage& share : *shares)
        std::cout << (options.folder.empty()
                          ? share.m_strFileName
                          : (std::filesystem::path(options.folder) / share.m_strFileName).string())
                  << '\n';
    std::cout.flush();
    return std::cout ? kExitOk : kExitFailed;
}

} // namespace lumisplit::cli
