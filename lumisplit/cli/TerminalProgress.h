#pragma once
// Progress of long work on stderr, shown only when stderr is a terminal and
// the work has run for about a second, so scripts and quick runs see nothing.

#include "shares/Progress.h"

#include <chrono>
#include <string>

namespace lumisplit::cli {

class TerminalProgress {
public:
    explicit TerminalProgress(std::string label);
    ~TerminalProgress(); // ends the progress line if one was shown
    TerminalProgress(const TerminalProgress&) = delete;
    TerminalProgress& operator=(const TerminalProgress&) = delete;

    // The callback to hand to the core; empty when stderr is not a terminal.
    Progress Callback();

private:
    void Show(std::uint64_t done, std::uint64_t total);

    std::string m_label;
    bool m_enabled;
    int m_shown = -1; // the percentage on screen, -1 before the first
    std::chrono::steady_clock::time_point m_start = std::chrono::steady_clock::now();
};

} // namespace lumisplit::cli
