#pragma once
// Shows the core's failure reports in a message box (through the seam) while
// a command runs.

#include "imaging/Report.h"

class QWidget;

namespace lumisplit {

class CInteraction;

class CMessageSink final : public ReportSink {
public:
    CMessageSink(CInteraction& interaction, QWidget* owner);
    void Report(std::string_view message) override;

private:
    CInteraction& m_interaction;
    QWidget* m_pOwner;
    ScopedReportSink m_scope;
};

} // namespace lumisplit
