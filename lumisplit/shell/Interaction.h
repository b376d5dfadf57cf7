#pragma once
// Every modal exchange with the user (message boxes, file dialogs, parameter
// and count dialogs) and the start of the viewer go through this interface, so
// that commands run headless in tests with scripted answers.

#include <QString>
#include <QStringList>
#include <optional>

class QDialog;
class QWidget;

namespace lumisplit {

// The caption of every message box shown without a caption of its own.
inline constexpr const char* kApplicationName = "lumisplit";

struct FileRequest {
    enum class Kind { Open, Save };
    Kind kind = Kind::Open;
    QString title;
    QString filter;                // Qt form: "Bitmap Files(*.bmp);;All Files(*.*)"
    bool mustExist = true;         // open: the chosen file must exist
    bool confirmOverwrite = false; // save: ask before replacing a file
    QString startPath;             // folder or file the dialog starts from
};

class CInteraction {
public:
    virtual ~CInteraction() = default;

    // An OK-only message box; an empty caption shows the application name.
    virtual void ShowMessage(QWidget* owner, const QString& text, const QString& caption = {}) = 0;

    // The chosen file's absolute path, or nothing when the user cancels.
    virtual std::optional<QString> AskFile(QWidget* owner, const FileRequest& request) = 0;

    // Runs a parameter or count dialog modally; true when it ends accepted.
    virtual bool RunDialog(QDialog& dialog) = 0;

    // Starts a program without waiting for it; false when it could not start.
    virtual bool StartDetached(const QString& program, const QStringList& arguments) = 0;
};

} // namespace lumisplit
