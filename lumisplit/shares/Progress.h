#pragma once

#include <cstdint>
#include <functional>

namespace lumisplit {

// Called now and then during long work with the units done so far out of total.
using Progress = std::function<void(std::uint64_t done, std::uint64_t total)>;

} // namespace lumisplit
