#include "shell/QtInteraction.h"

#include <QDialog>
#include <QFileDialog>
#include <QFileInfo>
#include <QMessageBox>
#include <QProcess>

namespace lumisplit {

void CQtInteraction::ShowMessage(QWidget* owner, const QString& text, const QString& caption) {
    QMessageBox box(QMessageBox::NoIcon, caption.isEmpty() ? QString(kApplicationName) : caption,
                    text, QMessageBox::Ok, owner);
    box.exec();
}

std::optional<QString> CQtInteraction::AskFile(QWidget* owner, const FileRequest& request) {
    QFileDialog dialog(owner, request.title, request.startPath, request.filter);
    if (request.kind == FileRequest::Kind::Save) {
        dialog.setAcceptMode(QFileDialog::AcceptSave);
        dialog.setFileMode(QFileDialog::AnyFile);
        dialog.setOption(QFileDialog::DontConfirmOverwrite, !request.confirmOverwrite);
    } else {
        dialog.setAcceptMode(QFileDialog::AcceptOpen);
        dialog.setFileMode(request.mustExist ? QFileDialog::ExistingFile : QFileDialog::AnyFile);
    }
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return std::nullopt;
    return QFileInfo(dialog.selectedFiles().constFirst()).absoluteFilePath();
}

bool CQtInteraction::RunDialog(QDialog& dialog) {
    return dialog.exec() == QDialog::Accepted;
}

bool CQtInteraction::StartDetached(const QString& program, const QStringList& arguments) {
    return QProcess::startDetached(program, arguments);
}

} // namespace lumisplit
