#include "cli/Cli.h"

namespace lumisplit::cli {

int RunBasis(std::span<const std::string_view> /*args*/) { return UsageError("basis: not built yet"); }

} // namespace lumisplit::cli
