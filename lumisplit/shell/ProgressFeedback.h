#pragma once
// Progress of long work: a modal progress dialog that appears only once the
// work has run for about a second, so short commands never show it.

#include "shares/Progress.h"

#include <QElapsedTimer>
#include <QString>
#include <memory>

class QProgressDialog;
class QWidget;

namespace lumisplit {

class CProgressFeedback {
public:
    CProgressFeedback(QWidget* owner, QString label);
    ~CProgressFeedback();
    CProgressFeedback(const CProgressFeedback&) = delete;
    CProgressFeedback& operator=(const CProgressFeedback&) = delete;

    // The callback to hand to the core; valid while this object lives.
    Progress Callback();

private:
    void Update(std::uint64_t done, std::uint64_t total);

    QWidget* m_pOwner;
    QString m_strLabel;
    QElapsedTimer m_clock;
    std::unique_ptr<QProgressDialog> m_pDialog;
    int m_nPermille = -1;
};

} // namespace lumisplit
