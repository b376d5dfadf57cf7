#include "cli/Cli.h"

namespace lumisplit::cli {

int RunSplit(std::span<const std::string_view> /*args*/) { return UsageError("split: not built yet"); }

} // namespace lumisplit::cli
