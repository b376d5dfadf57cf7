#include "cli/SchemeOptions.h"

#include <algorithm>
#include <array>
#include <charconv>

namespace lumisplit::cli {

const char* const kSchemeOptionsHelp =
    "  --scheme SCHEME  the access structure: 2-2, 2-n, n-n, k-n or general\n"
    "                   (or its index 0 to 4)\n"
    "  -n N             participants, 2 to 9 (not for 2-2, which has 2)\n"
    "  -k K             threshold of the k-n scheme, 2 to N\n"
    "  --sets SETS      the minimal qualified sets of the general scheme, separated\n"
    "                   by ';', members 1 to N separated by blanks, e.g. \"1 2;2 3\"\n";

namespace {

struct SchemeName {
    std::string_view name;
    int scheme;
};
constexpr std::array<SchemeName, 5> kSchemeNames{{{"2-2", kScheme22},
                                                  {"2-n", kScheme2N},
                                                  {"n-n", kSchemeNN},
                                                  {"k-n", kSchemeKN},
                                                  {"general", kSchemeGeneral}}};

std::optional<int> ParseInt(std::string_view text) {
    int value = 0;
    const char* end = text.data() + text.size();
    const auto [ptr, ec] = std::from_chars(text.data(), end, value);
    if (text.empty() || ec != std::errc() || ptr != end)
        return std::nullopt;
    return value;
}

std::optional<int> ParseScheme(std::string_view text) {
    for (const SchemeName& entry : kSchemeNames)
        if (text == entry.name)
            return entry.scheme;
    const std::optional<int> index = ParseInt(text);
    if (index && *index >= kScheme22 && *index <= kSchemeGeneral)
        return index;
    return std::nullopt;
}

bool IsBlank(char c) {
    return c == ' ' || c == '\t';
}

std::string_view Trim(std::string_view text) {
    while (!text.empty() && IsBlank(text.front()))
        text.remove_prefix(1);
    while (!text.empty() && IsBlank(text.back()))
        text.remove_suffix(1);
    return text;
}

// "1 2;2 3" -> one row per set, n columns of 0/1. A blank text is an empty
// selection (which BuildBasisPair refuses with its own message).
std::optional<CMatrix> ParseSets(std::string_view text, int n, std::string& error) {
    CMatrix sets(0, n);
    if (Trim(text).empty())
        return sets;
    std::vector<int> row(static_cast<std::size_t>(n));
    while (true) {
        const std::size_t semicolon = text.find(';');
        std::string_view piece = Trim(text.substr(0, semicolon));
        if (piece.empty()) {
            error = "--sets: a set without members";
            return std::nullopt;
        }
        std::fill(row.begin(), row.end(), 0);
        while (!piece.empty()) {
            std::size_t blank = 0;
            while (blank < piece.size() && !IsBlank(piece[blank]))
                ++blank;
            const std::string_view member = piece.substr(0, blank);
            const std::optional<int> p = ParseInt(member);
            if (!p || *p < 1 || *p > n) {
                error = "--sets: '" + std::string(member) + "' is not a participant from 1 to " +
                        std::to_string(n);
                return std::nullopt;
            }
            row[static_cast<std::size_t>(*p - 1)] = 1;
            piece = Trim(piece.substr(blank));
        }
        sets.InsertRow(sets.GetRows(), row.data());
        if (semicolon == std::string_view::npos)
            return sets;
        text.remove_prefix(semicolon + 1);
    }
}

} // namespace

SchemeOptionsResult ParseSchemeOptions(std::span<const std::string_view> args) {
    SchemeOptionsResult result;
    std::optional<std::string_view> schemeText, nText, kText, setsText;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string_view arg = args[i];
        std::optional<std::string_view>* slot = nullptr;
        if (arg == "--scheme")
            slot = &schemeText;
        else if (arg == "-n")
            slot = &nText;
        else if (arg == "-k")
            slot = &kText;
        else if (arg == "--sets")
            slot = &setsText;
        if (!slot) {
            result.others.push_back(arg);
            continue;
        }
        if (i + 1 == args.size()) {
            result.error = std::string(arg) + " needs a value";
            return result;
        }
        if (*slot) {
            result.error = std::string(arg) + " is given twice";
            return result;
        }
        *slot = args[++i];
    }

    if (!schemeText) {
        result.error = "--scheme is required";
        return result;
    }
    SchemeOptions options;
    const std::optional<int> scheme = ParseScheme(*schemeText);
    if (!scheme) {
        result.error = "unknown scheme '" + std::string(*schemeText) +
                       "' (use 2-2, 2-n, n-n, k-n, general or 0 to 4)";
        return result;
    }
    options.scheme = *scheme;

    if (nText) {
        const std::optional<int> n = ParseInt(*nText);
        if (!n) {
            result.error = "-n: '" + std::string(*nText) + "' is not a whole number";
            return result;
        }
        if (options.scheme == kScheme22 && *n != 2) {
            result.error = "the 2-2 scheme has exactly 2 participants";
            return result;
        }
        options.n = *n;
    } else if (options.scheme != kScheme22) {
        result.error = "-n is required for this scheme";
        return result;
    }

    if (kText) {
        if (options.scheme != kSchemeKN) {
            result.error = "-k is only for the k-n scheme";
            return result;
        }
        const std::optional<int> k = ParseInt(*kText);
        if (!k) {
            result.error = "-k: '" + std::string(*kText) + "' is not a whole number";
            return result;
        }
        options.k = *k;
    } else if (options.scheme == kSchemeKN) {
        result.error = "-k is required for the k-n scheme";
        return result;
    } else if (options.scheme == kSchemeNN) {
        options.k = options.n;
    }

    if (setsText) {
        if (options.scheme != kSchemeGeneral) {
            result.error = "--sets is only for the general scheme";
            return result;
        }
        // An n out of range is refused by BuildPair; there is no table to read then.
        if (options.n >= kMinParticipants && options.n <= kMaxParticipants) {
            std::optional<CMatrix> sets = ParseSets(*setsText, options.n, result.error);
            if (!sets)
                return result;
            options.qualifiedSets = std::move(*sets);
        }
    } else if (options.scheme == kSchemeGeneral) {
        result.error = "--sets is required for the general scheme";
        return result;
    }

    result.options = std::move(options);
    return result;
}

std::optional<BasisPair> BuildPair(const SchemeOptions& options, const Progress& progress) {
    return BuildBasisPair(options.scheme, options.n, options.k, &options.qualifiedSets, progress);
}

bool AsksForHelp(std::span<const std::string_view> args) {
    return std::ranges::any_of(args,
                               [](std::string_view arg) { return arg == "--help" || arg == "-h"; });
}

} // namespace lumisplit::cli
