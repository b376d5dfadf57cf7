#pragma once
// A CInteraction for headless tests: file dialogs answer from a queue, each
// parameter or count dialog runs a script against the real dialog (filling its
// edits and pressing its buttons, so its own validation runs), and every
// message and viewer start is recorded.

#include "shell/Interaction.h"

#include <QString>
#include <QStringList>
#include <deque>
#include <functional>
#include <optional>
#include <vector>

class QDialog;

namespace lumisplit::test {

class ScriptedInteraction final : public CInteraction {
public:
    struct Message {
        QString text;
        QString caption; // as shown: the application name when none was given
    };
    struct Start {
        QString program;
        QStringList arguments;
    };
    using DialogScript = std::function<void(QDialog&)>;

    void ShowMessage(QWidget* owner, const QString& text, const QString& caption = {}) override;
    std::optional<QString> AskFile(QWidget* owner, const FileRequest& request) override;
    bool RunDialog(QDialog& dialog) override;
    bool StartDetached(const QString& program, const QStringList& arguments) override;

    // Answers for the file dialogs, in order; nullopt (or none left) cancels.
    std::deque<std::optional<QString>> fileAnswers;
    // One script per dialog run, in order. A dialog still open after its
    // script (or without one) ends as if Escape had been pressed.
    std::deque<DialogScript> dialogScripts;
    bool startSucceeds = true;
    // Called at every viewer start, e.g. to look at the hand-off file then.
    std::function<void(const Start&)> onStart;

    std::vector<FileRequest> fileDialogs; // every file dialog asked for
    QStringList dialogTitles;             // the title of every dialog run
    std::vector<Message> messages;
    std::vector<Start> starts;
};

// Script helpers. Controls are found by their id as object name ("3021", "1" for OK).
void SetEditText(QDialog& dialog, const QString& id, const QString& text);
void PressOk(QDialog& dialog);
void PressEscape(QDialog& dialog);
// A script that fills the edits (id, text) and presses OK once.
ScriptedInteraction::DialogScript FillAndOk(std::vector<std::pair<QString, QString>> edits);

} // namespace lumisplit::test
