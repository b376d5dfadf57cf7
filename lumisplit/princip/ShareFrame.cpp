#include "princip/ShareFrame.h"

#include "basis/BasisPair.h"
#include "random/RandomSource.h"
#include "shares/Shares.h"
#include "shares/Stack.h"
#include "shell/CoalesceDialog.h"
#include "shell/Interaction.h"
#include "shell/MessageSink.h"
#include "shell/ProgressFeedback.h"
#include "shell/SchemeBar.h"

#include <QAction>
#include <QComboBox>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QMenu>
#include <QMenuBar>
#include <QPainter>
#include <algorithm>
#include <vector>

#ifndef LUMISPLIT_README
#define LUMISPLIT_README "/usr/local/share/doc/lumisplit/README.md"
#endif

namespace lumisplit {

// Every layer the count dialog lets through has a slot.
static_assert(CCoalesceDialog::kMaxLayers <= CShareFrame::kMaxLayers);

namespace {

const QString kBitmapFilter = QStringLiteral("Bitmap Files(*.bmp);;All Files(*.*)");
const char* const kResultName = "resultado.bmp";
const char* const kHandOffName = "kov.ini";

std::string LocalName(const QString& path) {
    return QFile::encodeName(path).toStdString();
}

FileRequest OpenBitmapDialog(const QString& title, const QString& startPath = {}) {
    FileRequest request;
    request.kind = FileRequest::Kind::Open;
    request.title = title;
    request.filter = kBitmapFilter;
    request.mustExist = true;
    request.startPath = startPath;
    return request;
}

QString Digit(int index) {
    return QString(QChar('1' + index));
}

// The viewer lives beside this program; elsewhere it is looked up on PATH.
QString ViewerProgram() {
    const QString beside = QCoreApplication::applicationDirPath() + QStringLiteral("/oculet");
    return QFileInfo(beside).isExecutable() ? beside : QStringLiteral("oculet");
}

} // namespace

CShareFrame::CShareFrame(CInteraction& interaction, QWidget* parent)
    : QMainWindow(parent), m_interaction(interaction),
      m_canvas(kCanvasWidth, kCanvasHeight, QImage::Format_RGB32) {
    setWindowTitle(QStringLiteral("Lumisplit"));
    setGeometry(0, 0, 900, 600);
    CreateMenus();

    m_pSchemeBar = new CSchemeBar(interaction, this);
    addToolBar(Qt::TopToolBarArea, m_pSchemeBar);
    connect(&m_pSchemeBar->Button(CSchemeBar::kOpenButton), &QAction::triggered, this,
            &CShareFrame::OnOpenSecretImage);
    connect(&m_pSchemeBar->Button(CSchemeBar::kSaveButton), &QAction::triggered, this,
            &CShareFrame::OnSaveCurrentAs);
    connect(&m_pSchemeBar->Button(CSchemeBar::kEncryptButton), &QAction::triggered, this,
            &CShareFrame::OnEncrypt);
    connect(&m_pSchemeBar->Button(CSchemeBar::kCombineButton), &QAction::triggered, this,
            &CShareFrame::OnCombineShares);
    connect(m_pSchemeBar, &CSchemeBar::ImageSelChanged, this, &CShareFrame::ShowSelectedImage);

    ClearCanvas();
}

CShareFrame::~CShareFrame() = default;

void CShareFrame::CreateMenus() {
    menuBar()->setObjectName(QStringLiteral("LUMISPLIT"));
    const auto addCommand = [this](QMenu* menu, const char* text, int id,
                                   void (CShareFrame::*handler)()) {
        QAction* action = menu->addAction(QString::fromUtf8(text));
        action->setObjectName(QString::number(id));
        action->setData(id);
        connect(action, &QAction::triggered, this, handler);
    };
    QMenu* file = menuBar()->addMenu(QStringLiteral("File"));
    addCommand(file, "Open SI...", 2001, &CShareFrame::OnOpenSecretImage);
    addCommand(file, "Close", 2004, &CShareFrame::OnCloseImage);
    addCommand(file, "Close all", 2002, &CShareFrame::OnCloseAll);
    addCommand(file, "Save current as...", 2003, &CShareFrame::OnSaveCurrentAs);
    file->addSeparator();
    addCommand(file, "Exit", 2000, &CShareFrame::OnExit);
    addCommand(menuBar()->addMenu(QStringLiteral("Encrypt")), "Encrypt SI", 2010,
               &CShareFrame::OnEncrypt);
    addCommand(menuBar()->addMenu(QStringLiteral("Coalesce")), "Combine shares...", 2020,
               &CShareFrame::OnCombineShares);
    QMenu* help = menuBar()->addMenu(QStringLiteral("Help"));
    addCommand(help, "Help...", 2051, &CShareFrame::OnHelp);
    addCommand(help, "About Lumisplit...", 2052, &CShareFrame::OnAbout);
}

QComboBox& CShareFrame::ImageSelector() const {
    return m_pSchemeBar->ImageSelector();
}

void CShareFrame::EnterFolderOf(const QString& path) {
    QDir::setCurrent(QFileInfo(path).absolutePath());
}

int CShareFrame::RegisterImageName(const QString& name, const QString& text) {
    QComboBox& selector = ImageSelector();
    if (m_nCount == kMaxImages) {
        m_nCount = kMaxImages - 1;
        selector.removeItem(kMaxImages - 1);
    }
    selector.addItem(text);
    m_strImageNames.at(static_cast<std::size_t>(m_nCount)) = name;
    return m_nCount++;
}

void CShareFrame::ClearCanvas() {
    m_canvas.fill(Qt::white);
}

void CShareFrame::DrawImage(const CBmpImage& image) {
    // Stored row r stands at canvas row H - r + 29: the picture is upright,
    // its top row on canvas row 30.
    const int height = image.Height();
    const int width = std::min(image.Width(), kCanvasWidth);
    const int firstRow = std::max(0, height + kImageTopRow - 1 - (kCanvasHeight - 1));
    const QRgb black = qRgb(0, 0, 0);
    const QRgb white = qRgb(255, 255, 255);
    for (int r = firstRow; r < height; ++r) {
        auto* line = reinterpret_cast<QRgb*>(m_canvas.scanLine(height - r + kImageTopRow - 1));
        for (int c = 0; c < width; ++c)
            line[c] = image.GetPixelBW(r, c) == 'b' ? black : white;
    }
}

void CShareFrame::ShowSelectedImage() {
    const CMessageSink sink(m_interaction, this);
    ClearCanvas();
    if (m_nCount > 0) {
        const int index = std::clamp(ImageSelector().currentIndex(), 0, m_nCount - 1);
        auto image = std::make_unique<CBmpImage>(
            LocalName(m_strImageNames.at(static_cast<std::size_t>(index))));
        image->Read(); // a failure is reported; the picture then stays white
        DrawImage(*image);
        m_pCurrentImage = std::move(image);
    }
    update();
}

void CShareFrame::paintEvent(QPaintEvent* event) {
    QMainWindow::paintEvent(event);
    if (m_nCount == 0)
        return;
    // The menu bar stands outside the client area, as a window's menu does.
    const int top = menuWidget() != nullptr ? menuWidget()->geometry().bottom() + 1 : 0;
    QPainter painter(this);
    painter.drawImage(QPoint(0, top), m_canvas, QRect(0, 0, kPaintWidth, kPaintHeight));
}

void CShareFrame::SetThresholdScheme(int n, int k) {
    m_pSchemeBar->m_nParticipants = n;
    m_pSchemeBar->m_nThreshold = k;
    m_pSchemeBar->m_nScheme = kSchemeKN;
}

void CShareFrame::OnOpenSecretImage() {
    ClearCanvas();
    const auto path = m_interaction.AskFile(
        this, OpenBitmapDialog(QStringLiteral("Seleccione la imagen que desea encriptar")));
    if (!path)
        return;
    EnterFolderOf(*path);
    m_strSecretPath = *path;
    ImageSelector().setCurrentIndex(RegisterImageName(*path, QFileInfo(*path).fileName()));
    ShowSelectedImage();
}

std::optional<std::vector<CBmpImage>> CShareFrame::ChooseInnocentImages(int count) {
    std::vector<CBmpImage> covers;
    QString previous;
    for (int p = 0; p < count; ++p) {
        const auto path = m_interaction.AskFile(
            this,
            OpenBitmapDialog(QStringLiteral("Select Innocent Image File ") + Digit(p), previous));
        if (!path) {
            m_interaction.ShowMessage(
                this, QStringLiteral("Cannot Encrypt without valid innocent image source file."));
            return std::nullopt;
        }
        EnterFolderOf(*path);
        previous = *path;
        CBmpImage cover(LocalName(*path));
        if (!cover.Read())
            return std::nullopt; // reported by the image
        covers.push_back(std::move(cover));
    }
    return covers;
}

void CShareFrame::OnEncrypt() {
    const CMessageSink sink(m_interaction, this);
    if (m_nCount < 1 || !m_pCurrentImage) {
        m_interaction.ShowMessage(this, QStringLiteral("Please open a secret image file first."),
                                  QStringLiteral("Cannot Encrypt"));
        return;
    }
    const CSchemeBar& bar = *m_pSchemeBar;
    std::optional<BasisPair> pair;
    {
        // The largest (k,n) schemes take seconds to build.
        CProgressFeedback building(this, QStringLiteral("Building the basis matrices..."));
        pair = BuildBasisPair(bar.m_nScheme, bar.m_nParticipants, bar.m_nThreshold,
                              bar.m_pQualifiedSets ? &*bar.m_pQualifiedSets : nullptr,
                              building.Callback());
    }
    if (!pair)
        return; // refused and reported by the core

    std::vector<CBmpImage> covers;
    if (bar.m_nMethod == kExtendedPreserveSize || bar.m_nMethod == kExtendedPreserveDetail) {
        auto chosen = ChooseInnocentImages(pair->S0.GetRows());
        if (!chosen)
            return;
        covers = std::move(*chosen);
    }

    SystemRandom random;
    CProgressFeedback progress(this, QStringLiteral("Encrypting..."));
    auto shares = MakeShares(bar.m_nMethod, *m_pCurrentImage, pair->S0, pair->S1, random, covers,
                             progress.Callback());
    if (!shares || !WriteShareSet(*shares))
        return; // reported by the core; nothing was written

    // When the list overflows, later shares of the set take the last slot in
    // turn; the first one registered is still the one to show.
    int first = -1;
    for (int i = 0; i < static_cast<int>(shares->size()); ++i) {
        const QString name = QString::fromStdString(ShareName(i));
        const int index = RegisterImageName(name, name);
        if (first < 0)
            first = index;
    }
    ImageSelector().setCurrentIndex(first);
    ShowSelectedImage();
    m_interaction.ShowMessage(this,
                              QStringLiteral("Imagen ENCRIPTADA\nLas imagenes han sido "
                                             "almacenadas\ncon los nombres:\ncapa1.bmp, "
                                             "capa2.bmp,.., capan.bmp"),
                              QStringLiteral("Encriptación Realizada"));
}

void CShareFrame::OnCombineShares() {
    const CMessageSink sink(m_interaction, this);
    CCoalesceDialog count(m_interaction, m_pSchemeBar->m_nParticipants, this);
    if (!m_interaction.RunDialog(count))
        return;

    std::vector<const CBmpImage*> layers;
    QString previous;
    for (int i = 0; i < count.m_nLayers; ++i) {
        const auto path = m_interaction.AskFile(
            this, OpenBitmapDialog(QStringLiteral("Seleccione la capa ") + Digit(i), previous));
        if (!path) {
            m_interaction.ShowMessage(this, QStringLiteral("No se pueden combinar las imágenes. "));
            return;
        }
        EnterFolderOf(*path);
        previous = *path;
        auto& slot = m_pLayers.at(static_cast<std::size_t>(i));
        slot = std::make_unique<CBmpImage>(LocalName(*path));
        if (!slot->Read())
            return; // reported by the image; a layer without pixels cannot be stacked
        layers.push_back(slot.get());

        // The viewer reads the layer's digit from the hand-off file.
        QFile handOff(QString::fromLatin1(kHandOffName));
        if (handOff.open(QIODevice::WriteOnly | QIODevice::Truncate))
            handOff.write(Digit(i).toLatin1());
        handOff.close(); // written out before the viewer starts and reads it
        m_interaction.StartDetached(ViewerProgram(), {*path}); // a failed start is not reported
    }

    CProgressFeedback progress(this, QStringLiteral("Combining..."));
    auto result = StackLayers(layers, kResultName, progress.Callback());
    if (!result || !result->Write())
        return; // reported by the core
    ImageSelector().setCurrentIndex(
        RegisterImageName(QString::fromLatin1(kResultName), QString::fromLatin1(kResultName)));
    ShowSelectedImage();
}

void CShareFrame::OnCloseImage() {
    if (m_nCount == 0)
        return;
    QComboBox& selector = ImageSelector();
    const int selected = std::clamp(selector.currentIndex(), 0, m_nCount - 1);
    for (int i = selected; i < m_nCount - 1; ++i)
        m_strImageNames.at(static_cast<std::size_t>(i)) =
            m_strImageNames.at(static_cast<std::size_t>(i + 1));
    selector.removeItem(selected);
    selector.setCurrentIndex(0);
    --m_nCount;
    ShowSelectedImage();
}

void CShareFrame::OnCloseAll() {
    m_nCount = 0;
    ImageSelector().clear();
    ShowSelectedImage();
}

void CShareFrame::OnSaveCurrentAs() {
    if (m_nCount == 0 || !m_pCurrentImage)
        return;
    FileRequest request;
    request.kind = FileRequest::Kind::Save;
    request.title = QStringLiteral("Save Image As...");
    request.filter = kBitmapFilter;
    request.mustExist = false;
    request.confirmOverwrite = true;
    const auto chosen = m_interaction.AskFile(this, request);
    if (!chosen)
        return;
    EnterFolderOf(*chosen);

    const QFileInfo info(*chosen);
    const QString path = info.suffix() == QLatin1String("bmp") ? *chosen : *chosen + ".bmp";
    const CMessageSink sink(m_interaction, this);
    std::string previousName = m_pCurrentImage->m_strFileName;
    m_pCurrentImage->m_strFileName = LocalName(path);
    if (!m_pCurrentImage->Write()) {
        // Reported by the image; the entry keeps naming a file that exists.
        m_pCurrentImage->m_strFileName = std::move(previousName);
        return;
    }
    QComboBox& selector = ImageSelector();
    const int selected = std::clamp(selector.currentIndex(), 0, m_nCount - 1);
    m_strImageNames.at(static_cast<std::size_t>(selected)) = path;
    selector.setItemText(selected, info.fileName());
}

void CShareFrame::OnExit() {
    QCoreApplication::exit(0);
}

void CShareFrame::OnHelp() {
    m_interaction.ShowMessage(
        this, QStringLiteral("No help file was made for Lumisplit.\n\n"
                             "The README installed with it explains how to open a secret "
                             "image,\nchoose a scheme and a method, encrypt the image into "
                             "shares\nand combine shares again:\n\n") +
                  QStringLiteral(LUMISPLIT_README));
}

void CShareFrame::OnAbout() {
    m_interaction.ShowMessage(
        this, QStringLiteral("Lumisplit, a visual cryptography tool.\n\n"
                             "It splits a black-and-white image into shares that reveal it\n"
                             "only when enough of them are stacked.\n\n"
                             "Created by the Lumisplit developers, with the help of its testers.\n"
                             "Thanks to everyone who tried it and reported what they found."));
}

} // namespace lumisplit
