#pragma once
// The options that choose an access structure (--scheme, -n, -k, --sets),
// shared by the subcommands that build a basis pair.

#include "basis/BasisPair.h"
#include "basis/Matrix.h"

#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace lumisplit::cli {

struct SchemeOptions {
    int scheme = kScheme22; // 0 .. 4
    int n = 2;              // participants; always 2 for the (2,2) scheme
    int k = 2;              // threshold: 2 for (2,2) and (2,n), n for (n,n), unused for general
    CMatrix qualifiedSets;  // general only: one row per chosen set, in the given order, n columns
};

struct SchemeOptionsResult {
    std::optional<SchemeOptions> options; // empty when error is set
    std::string error;                    // a usage error, for UsageError()
    std::vector<std::string_view> others; // the arguments that are not scheme options, in order
};

// Takes --scheme, -n, -k and --sets (each followed by its value, in any order)
// out of args and hands every other argument back in `others`. Values that
// are malformed (not a number, an unknown scheme, a set member outside 1..n,
// an option that the scheme has no use for) are usage errors. Numbers that
// are well formed but out of range (n = 12) are left to BuildPair, which
// refuses them with the core's message.
SchemeOptionsResult ParseSchemeOptions(std::span<const std::string_view> args);

// The basis pair exactly as the Encrypt command builds it; empty after a
// refusal, which has been reported. progress hears the steps of long builds.
std::optional<BasisPair> BuildPair(const SchemeOptions& options,
                                   const Progress& progress = Progress());

// The usage text of the scheme options, for a subcommand's --help.
extern const char* const kSchemeOptionsHelp;

// True when --help or -h is among args: the subcommand then prints its help,
// whatever else the command line holds.
bool AsksForHelp(std::span<const std::string_view> args);

} // namespace lumisplit::cli
