#include "cli/Cli.h"

namespace lumisplit::cli {

int RunStack(std::span<const std::string_view> /*args*/) { return UsageError("stack: not built yet"); }

} // namespace lumisplit::cli
