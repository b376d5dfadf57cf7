#include "ScriptedInteraction.h"

#include <QDialog>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <stdexcept>

namespace lumisplit::test {

void ScriptedInteraction::ShowMessage(QWidget*, const QString& text, const QString& caption) {
    messages.push_back({text, caption.isEmpty() ? QString(kApplicationName) : caption});
}

std::optional<QString> ScriptedInteraction::AskFile(QWidget*, const FileRequest& request) {
    fileDialogs.push_back(request);
    if (fileAnswers.empty())
        return std::nullopt;
    const std::optional<QString> answer = fileAnswers.front();
    fileAnswers.pop_front();
    return answer;
}

bool ScriptedInteraction::RunDialog(QDialog& dialog) {
    dialogTitles.push_back(dialog.windowTitle());
    dialog.setResult(QDialog::Rejected);
    dialog.show(); // offscreen: gives focus handling and key events their usual path
    if (!dialogScripts.empty()) {
        auto script = std::move(dialogScripts.front());
        dialogScripts.pop_front();
        script(dialog);
    }
    if (dialog.isVisible())
        dialog.reject();
    return dialog.result() == QDialog::Accepted;
}

bool ScriptedInteraction::StartDetached(const QString& program, const QStringList& arguments) {
    starts.push_back({program, arguments});
    if (onStart)
        onStart(starts.back());
    return startSucceeds;
}

namespace {
template <class T> T& Control(QDialog& dialog, const QString& id) {
    auto* control = dialog.findChild<T*>(id);
    if (control == nullptr)
        throw std::runtime_error("no control " + id.toStdString() + " in the dialog");
    return *control;
}
} // namespace

void SetEditText(QDialog& dialog, const QString& id, const QString& text) {
    Control<QLineEdit>(dialog, id).setText(text);
}

void PressOk(QDialog& dialog) {
    QTest::mouseClick(&Control<QPushButton>(dialog, "1"), Qt::LeftButton);
}

void PressEscape(QDialog& dialog) {
    QTest::keyClick(&dialog, Qt::Key_Escape);
}

ScriptedInteraction::DialogScript FillAndOk(std::vector<std::pair<QString, QString>> edits) {
    return [edits = std::move(edits)](QDialog& dialog) {
        for (const auto& [id, text] : edits)
            SetEditText(dialog, id, text);
        PressOk(dialog);
    };
}

} // namespace lumisplit::test
