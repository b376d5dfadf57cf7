#include "imaging/Report.h"

#include <atomic>

namespace lumisplit {

namespace {
// Process-wide, so that work run on a helper thread still reaches the sink;
// a sink used that way must be safe to call from that thread.
std::atomic<ReportSink*> g_pSink{nullptr};
} // namespace

void Report(std::string_view message) {
    if (ReportSink* sink = g_pSink.load())
        sink->Report(message);
}

ScopedReportSink::ScopedReportSink(ReportSink& sink) : m_pPrevious(g_pSink.exchange(&sink)) {}

ScopedReportSink::~ScopedReportSink() {
    g_pSink.store(m_pPrevious);
}

} // namespace lumisplit
