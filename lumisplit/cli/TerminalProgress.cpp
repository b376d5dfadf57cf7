#include "cli/TerminalProgress.h"

#include <iostream>
#include <unistd.h>
#include <utility>

namespace lumisplit::cli {

TerminalProgress::TerminalProgress(std::string label)
    : m_label(std::move(label)), m_enabled(isatty(STDERR_FILENO) != 0) {}

TerminalProgress::~TerminalProgress() {
    if (m_shown >= 0)
        std::cerr << '\n';
}

Progress TerminalProgress::Callback() {
    if (!m_enabled)
        return {};
    return [this](std::uint64_t done, std::uint64_t total) { Show(done, total); };
}

void TerminalProgress::Show(std::uint64_t done, std::uint64_t total) {
    if (total == 0 || std::chrono::steady_clock::now() - m_start < std::chrono::seconds(1))
        return;
    const int percent = static_cast<int>(done * 100 / total);
    if (percent == m_shown)
        return;
    m_shown = percent;
    std::cerr << "\rlumisplit-cli: " << m_label << ": " << percent << "%" << std::flush;
}

} // namespace lumisplit::cli
