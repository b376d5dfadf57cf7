#pragma once
// The one way the core tells the user about a failure. The core never shows or
// prints anything itself: whoever drives it (GUI, CLI, tests) installs a sink.
// Every failing operation also returns a result, so callers can stop.

#include <string>
#include <string_view>

namespace lumisplit {

class ReportSink {
public:
    virtual ~ReportSink() = default;
    virtual void Report(std::string_view message) = 0;
};

// Sends a message to the installed sink; without one the message is dropped.
void Report(std::string_view message);

// Installs a sink for the lifetime of this object and restores the previous one.
class ScopedReportSink {
public:
    explicit ScopedReportSink(ReportSink& sink);
    ~ScopedReportSink();
    ScopedReportSink(const ScopedReportSink&) = delete;
    ScopedReportSink& operator=(const ScopedReportSink&) = delete;

private:
    ReportSink* m_pPrevious;
};

} // namespace lumisplit
