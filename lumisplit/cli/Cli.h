#pragma once
// Shared pieces of lumisplit-cli's subcommands.

#include <span>
#include <string_view>

namespace lumisplit::cli {

// Exit codes of every subcommand.
inline constexpr int kExitOk = 0;
inline constexpr int kExitFailed = 1; // refused or failed; the message is on stderr
inline constexpr int kExitUsage = 2;  // the command line itself is wrong

// Each takes the arguments after its own name.
int RunStack(std::span<const std::string_view> args);
int RunBasis(std::span<const std::string_view> args);
int RunSplit(std::span<const std::string_view> args);

// Prints "lumisplit-cli: <message>" and a hint to --help on stderr; answers kExitUsage.
int UsageError(std::string_view message);

} // namespace lumisplit::cli
