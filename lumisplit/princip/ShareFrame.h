#pragma once
// CShareFrame: the main window. It holds the workspace (image list, current
// image, canvas, layer slots; the selection state lives in its scheme bar) and
// runs every command. All modal exchanges go through the CInteraction seam.

#include "imaging/BmpImage.h"

#include <QImage>
#include <QMainWindow>
#include <QString>
#include <array>
#include <memory>
#include <optional>
#include <vector>

class QComboBox;

namespace lumisplit {

class CInteraction;
class CSchemeBar;

class CShareFrame : public QMainWindow {
    Q_OBJECT
public:
    static constexpr int kMaxImages = 25;
    static constexpr int kMaxLayers = 9;
    static constexpr int kCanvasWidth = 1024;
    static constexpr int kCanvasHeight = 768;
    static constexpr int kPaintWidth = 800;
    static constexpr int kPaintHeight = 600;
    static constexpr int kImageTopRow = 30; // rows above stay white under the bar

    explicit CShareFrame(CInteraction& interaction, QWidget* parent = nullptr); // created hidden
    ~CShareFrame() override;

    // Commands (menu/toolbar handlers, also called directly by the front dialog).
    void OnOpenSecretImage(); // Open SI; the file dialog changes the current folder
    void OnEncrypt();
    void OnCombineShares();
    void OnCloseImage();
    void OnCloseAll();
    void OnSaveCurrentAs();
    void OnExit(); // ends the whole program cleanly: QCoreApplication::exit(0)
    void OnHelp();
    void OnAbout();

    void SetThresholdScheme(int n, int k); // m_nParticipants = n, m_nThreshold = k, m_nScheme = 3
    QString SecretPath() const { return m_strSecretPath; }
    CInteraction& Interaction() const { return m_interaction; }

    // Adds a name to the image list (the last of 25 gives way); answers its index.
    int RegisterImageName(const QString& name, const QString& text);
    // Reads the selected entry's file into the current image and draws it.
    void ShowSelectedImage();

    // Workspace, for the front dialog and the tests.
    CSchemeBar& SchemeBar() const { return *m_pSchemeBar; }
    QComboBox& ImageSelector() const;
    int ImageCount() const { return m_nCount; }
    QString ImageName(int index) const { return m_strImageNames.at(index); }
    const CBmpImage* CurrentImage() const { return m_pCurrentImage.get(); }
    const QImage& Canvas() const { return m_canvas; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    void CreateMenus();
    void ClearCanvas();
    // One file dialog per participant; nothing when one is cancelled or unreadable.
    std::optional<std::vector<CBmpImage>> ChooseInnocentImages(int count);
    void DrawImage(const CBmpImage& image);
    // Stays beside the chosen file: later relative names land there.
    static void EnterFolderOf(const QString& path);

    CInteraction& m_interaction;
    QString m_strSecretPath;
    std::unique_ptr<CBmpImage> m_pCurrentImage;
    QImage m_canvas;
    CSchemeBar* m_pSchemeBar = nullptr; // owned by the window
    std::array<std::unique_ptr<CBmpImage>, kMaxLayers> m_pLayers;
    std::array<QString, kMaxImages> m_strImageNames;
    int m_nCount = 0;
};

} // namespace lumisplit
