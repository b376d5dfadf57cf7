#pragma once
// The real dialogs, boxes and process start behind the CInteraction seam.

#include "shell/Interaction.h"

namespace lumisplit {

class CQtInteraction final : public CInteraction {
public:
    void ShowMessage(QWidget* owner, const QString& text, const QString& caption = {}) override;
    std::optional<QString> AskFile(QWidget* owner, const FileRequest& request) override;
    bool RunDialog(QDialog& dialog) override;
    bool StartDetached(const QString& program, const QStringList& arguments) override;
};

} // namespace lumisplit
