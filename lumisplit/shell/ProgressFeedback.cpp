#include "shell/ProgressFeedback.h"

#include <QProgressDialog>

namespace lumisplit {

namespace {
constexpr qint64 kShowAfterMs = 1000;
constexpr int kSteps = 1000;
} // namespace

CProgressFeedback::CProgressFeedback(QWidget* owner, QString label)
    : m_pOwner(owner), m_strLabel(std::move(label)) {
    m_clock.start();
}

CProgressFeedback::~CProgressFeedback() = default;

Progress CProgressFeedback::Callback() {
    return [this](std::uint64_t done, std::uint64_t total) { Update(done, total); };
}

void CProgressFeedback::Update(std::uint64_t done, std::uint64_t total) {
    if (total == 0)
        return;
    const auto permille = static_cast<int>(std::min<std::uint64_t>(done, total) * kSteps / total);
    if (permille == m_nPermille)
        return;
    m_nPermille = permille;
    if (!m_pDialog) {
        if (permille >= kSteps || m_clock.elapsed() < kShowAfterMs)
            return;
        m_pDialog = std::make_unique<QProgressDialog>(m_strLabel, QString(), 0, kSteps, m_pOwner);
        // Application-modal: while events are processed no other command can start.
        m_pDialog->setWindowModality(Qt::ApplicationModal);
        m_pDialog->setMinimumDuration(0);
        m_pDialog->setAutoClose(false);
        m_pDialog->setAutoReset(false);
    }
    m_pDialog->setValue(permille); // modal: processes events, so the window stays drawn
}

} // namespace lumisplit
