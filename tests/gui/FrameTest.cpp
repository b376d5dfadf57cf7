// The main window as created, its canvas, and the file commands.

#include "GuiWorkspace.h"
#include "shell/SchemeBar.h"

#include <QAction>
#include <QComboBox>
#include <QEventLoop>
#include <QMenu>
#include <QMenuBar>
#include <QTest>
#include <QTimer>

using namespace lumisplit;
using namespace lumisplit::test;

namespace {

int BlackCanvasPixels(const QImage& canvas) {
    int count = 0;
    for (int y = 0; y < canvas.height(); ++y)
        for (int x = 0; x < canvas.width(); ++x)
            count += IsBlack(canvas.pixel(x, y)) ? 1 : 0;
    return count;
}

// The file's small picture is on the canvas, and the canvas holds no other black pixel.
void VerifyCanvasShowsOnly(const CShareFrame& frame, const QString& path) {
    const CBmpImage image = ReadBitmap(path);
    VerifyCanvasShows(frame, image);
    int black = 0;
    for (int r = 0; r < image.Height(); ++r)
        for (int c = 0; c < image.Width(); ++c)
            black += image.GetPixelBW(r, c) == 'b' ? 1 : 0;
    QCOMPARE(BlackCanvasPixels(frame.Canvas()), black);
}

QStringList SelectorTexts(const QComboBox& selector) {
    QStringList texts;
    for (int i = 0; i < selector.count(); ++i)
        texts << selector.itemText(i);
    return texts;
}

// Five small pictures a.bmp .. e.bmp, told apart by the column of their one black pixel.
QStringList OpenFive(GuiWorkspace& ws) {
    QStringList paths;
    for (int i = 0; i < 5; ++i) {
        const QString path = ws.Path(QString(QChar('a' + i)) + ".bmp");
        WriteBitmap(path, 5, 2, [i](int r, int c) { return r == 0 && c == i; });
        ws.ui.fileAnswers.push_back(path);
        ws.frame.OnOpenSecretImage();
        paths << path;
    }
    return paths;
}

} // namespace

class FrameTest : public QObject {
    Q_OBJECT
private slots:
    void defaultsAfterCreation();
    void menuItemsCarryTheirCommandIds();
    void canvasPlacement_data();
    void canvasPlacement();
    void openSecretImage();
    void openSecretImageCancelled();
    void imageSelectorRereadsTheChosenFile();
    void registerImageNameKeepsAtMost25();
    void closeWithFiveEntriesAndTheThirdSelected();
    void closeTheOnlyEntry();
    void closeAll();
    void saveCurrentAs_data();
    void saveCurrentAs();
    void saveCurrentAsWithEmptyListAsksNothing();
    void saveCurrentAsCancelledChangesNothing();
    void saveCurrentAsThatCannotWriteKeepsTheEntry();
    void helpAndAboutUseTheApplicationCaption();
    void exitEndsEveryEventLoop();
};

void FrameTest::defaultsAfterCreation() {
    GuiWorkspace ws;
    CShareFrame& frame = ws.frame;
    QVERIFY(!frame.isVisible());
    QCOMPARE(frame.windowTitle(), QString("Lumisplit"));
    QCOMPARE(frame.size(), QSize(900, 600));

    const CSchemeBar& bar = frame.SchemeBar();
    QCOMPARE(bar.m_nScheme, 0);
    QCOMPARE(bar.m_nMethod, 0);
    QCOMPARE(bar.m_nParticipants, 2);
    QCOMPARE(bar.m_nThreshold, 2);
    QVERIFY(!bar.m_pQualifiedSets.has_value());
    QCOMPARE(frame.ImageCount(), 0);
    QVERIFY(frame.CurrentImage() == nullptr);
    QVERIFY(frame.SecretPath().isEmpty());
    QCOMPARE(frame.Canvas().size(), QSize(1024, 768));
    QCOMPARE(BlackCanvasPixels(frame.Canvas()), 0);

    // The four buttons in order, each with its picture; then the three selectors.
    QStringList buttonIds;
    for (QAction* action : bar.actions())
        if (!action->isSeparator() && action->data().isValid()) {
            buttonIds << action->objectName();
            QVERIFY(!action->icon().isNull());
        }
    QCOMPARE(buttonIds, (QStringList{"3002", "3003", "3005", "3006"}));

    struct SelectorCase {
        QComboBox* selector;
        const char* id;
        int width;
        QStringList texts;
        int selected;
    };
    const SelectorCase selectors[] = {
        {&bar.SchemeSelector(),
         "3010",
         200,
         {"(2,2)-threshold VCS", "(2,n)-threshold VCS", "(n,n)-threshold VCS",
          "(k,n)-threshold VCS", "General Access Structure"},
         0},
        {&bar.MethodSelector(),
         "3011",
         270,
         {"Random basis column", "Pixel sampling", "Square subpixel expansion",
          "Smallest square expansion w/ filler", "Smallest square expansion w/o filler",
          "Extended VCS: preserve size...", "Extended VCS: preserve detail..."},
         0},
        {&bar.ImageSelector(), "3012", 240, {}, -1},
    };
    for (const SelectorCase& c : selectors) {
        QCOMPARE(c.selector->objectName(), QString(c.id));
        QCOMPARE(c.selector->width(), c.width);
        QVERIFY(!c.selector->isEditable());
        QCOMPARE(SelectorTexts(*c.selector), c.texts);
        QCOMPARE(c.selector->currentIndex(), c.selected);
    }
}

void FrameTest::menuItemsCarryTheirCommandIds() {
    GuiWorkspace ws;
    QStringList menus;
    QStringList items;
    for (QAction* menuAction : ws.frame.menuBar()->actions()) {
        menus << menuAction->text();
        for (QAction* item : menuAction->menu()->actions()) {
            if (item->isSeparator()) {
                items << "-";
                continue;
            }
            QVERIFY(item->isEnabled());
            QVERIFY(item->shortcut().isEmpty());
            QCOMPARE(item->objectName(), item->data().toString());
            items << item->text() + "=" + item->data().toString();
        }
    }
    QCOMPARE(ws.frame.menuBar()->objectName(), QString("LUMISPLIT"));
    QCOMPARE(menus, (QStringList{"File", "Encrypt", "Coalesce", "Help"}));
    QCOMPARE(items,
             (QStringList{"Open SI...=2001", "Close=2004", "Close all=2002",
                          "Save current as...=2003", "-", "Exit=2000", "Encrypt SI=2010",
                          "Combine shares...=2020", "Help...=2051", "About Lumisplit...=2052"}));
}

void FrameTest::canvasPlacement_data() {
    QTest::addColumn<int>("width");
    QTest::addColumn<int>("height");
    QTest::addColumn<int>("blackRow"); // the one black stored row
    QTest::addColumn<int>("blackColumn");
    QTest::addColumn<QPoint>("canvasPoint");
    QTest::newRow("one black pixel") << 1 << 1 << 0 << 0 << QPoint(0, 30);
    QTest::newRow("first stored row at the bottom") << 4 << 3 << 0 << 3 << QPoint(3, 32);
    QTest::newRow("last stored row on row 30") << 4 << 3 << 2 << 1 << QPoint(1, 30);
    QTest::newRow("beyond the canvas is dropped") << 1100 << 800 << 799 << 1050 << QPoint(-1, -1);
}

void FrameTest::canvasPlacement() {
    QFETCH(int, width);
    QFETCH(int, height);
    QFETCH(int, blackRow);
    QFETCH(int, blackColumn);
    QFETCH(QPoint, canvasPoint);
    GuiWorkspace ws;
    ws.ui.fileAnswers.push_back(
        WriteBitmap(ws.Path("secret.bmp"), width, height,
                    [&](int r, int c) { return r == blackRow && c == blackColumn; }));
    ws.frame.OnOpenSecretImage();

    const bool onCanvas = canvasPoint.x() >= 0;
    QCOMPARE(BlackCanvasPixels(ws.frame.Canvas()), onCanvas ? 1 : 0);
    if (onCanvas)
        QVERIFY(IsBlack(ws.frame.Canvas().pixel(canvasPoint)));
}

void FrameTest::openSecretImage() {
    GuiWorkspace ws;
    const QDir sub(ws.Path("sub"));
    QVERIFY(QDir().mkpath(sub.path()));
    const QString path = WriteBitmap(sub.filePath("secret.bmp"), 6, 4,
                                     [](int r, int c) { return (r + c) % 3 == 0; });
    ws.ui.fileAnswers.push_back(path);
    ws.frame.OnOpenSecretImage();

    QCOMPARE(ws.ui.fileDialogs.size(), std::size_t{1});
    const FileRequest& request = ws.ui.fileDialogs[0];
    QCOMPARE(request.kind, FileRequest::Kind::Open);
    QCOMPARE(request.title, QString("Seleccione la imagen que desea encriptar"));
    QCOMPARE(request.filter, QString("Bitmap Files(*.bmp);;All Files(*.*)"));
    QVERIFY(request.mustExist);

    QCOMPARE(ws.frame.SecretPath(), path);
    QCOMPARE(ws.frame.ImageCount(), 1);
    QCOMPARE(ws.frame.ImageName(0), path);
    QCOMPARE(SelectorTexts(ws.frame.ImageSelector()), QStringList{"secret.bmp"});
    QCOMPARE(ws.frame.ImageSelector().currentIndex(), 0);
    QCOMPARE(QDir::currentPath(), sub.path()); // later relative files land beside the secret
    QVERIFY(ws.frame.CurrentImage() != nullptr);
    QCOMPARE(ws.frame.CurrentImage()->Width(), 6);
    VerifyCanvasShowsOnly(ws.frame, path);
    QVERIFY(ws.ui.messages.empty());
}

void FrameTest::openSecretImageCancelled() {
    GuiWorkspace ws;
    const QString first = WriteBitmap(ws.Path("first.bmp"), 2, 2, [](int, int) { return true; });
    ws.ui.fileAnswers = {first, std::nullopt};
    ws.frame.OnOpenSecretImage();
    ws.frame.OnOpenSecretImage();

    QCOMPARE(ws.frame.ImageCount(), 1);
    QCOMPARE(ws.frame.SecretPath(), first);
    QCOMPARE(BlackCanvasPixels(ws.frame.Canvas()), 0); // the canvas was cleared all the same
}

void FrameTest::imageSelectorRereadsTheChosenFile() {
    GuiWorkspace ws;
    const QStringList paths = OpenFive(ws);
    QComboBox& selector = ws.frame.ImageSelector();
    selector.setCurrentIndex(1);
    emit selector.activated(1);
    VerifyCanvasShowsOnly(ws.frame, paths[1]);

    // The file changed on disk: choosing the entry again shows the new picture.
    WriteBitmap(paths[1], 3, 3, [](int r, int) { return r == 2; });
    emit selector.activated(1);
    VerifyCanvasShowsOnly(ws.frame, paths[1]);
    QCOMPARE(ws.frame.CurrentImage()->Width(), 3);
}

void FrameTest::registerImageNameKeepsAtMost25() {
    GuiWorkspace ws;
    for (int i = 0; i < 25; ++i)
        QCOMPARE(ws.frame.RegisterImageName(QString("n%1").arg(i), QString("t%1").arg(i)), i);
    QCOMPARE(ws.frame.RegisterImageName("late", "late text"), 24);

    QCOMPARE(ws.frame.ImageCount(), 25);
    QCOMPARE(ws.frame.ImageSelector().count(), 25);
    QCOMPARE(ws.frame.ImageName(23), QString("n23"));
    QCOMPARE(ws.frame.ImageName(24), QString("late"));
    QCOMPARE(ws.frame.ImageSelector().itemText(23), QString("t23"));
    QCOMPARE(ws.frame.ImageSelector().itemText(24), QString("late text"));
}

void FrameTest::closeWithFiveEntriesAndTheThirdSelected() {
    GuiWorkspace ws;
    const QStringList paths = OpenFive(ws);
    ws.frame.ImageSelector().setCurrentIndex(2);
    ws.frame.OnCloseImage();

    QCOMPARE(ws.frame.ImageCount(), 4);
    QStringList names;
    for (int i = 0; i < ws.frame.ImageCount(); ++i)
        names << ws.frame.ImageName(i);
    QCOMPARE(names, (QStringList{paths[0], paths[1], paths[3], paths[4]}));
    QCOMPARE(SelectorTexts(ws.frame.ImageSelector()),
             (QStringList{"a.bmp", "b.bmp", "d.bmp", "e.bmp"}));
    QCOMPARE(ws.frame.ImageSelector().currentIndex(), 0);
    VerifyCanvasShowsOnly(ws.frame, paths[0]);
}

void FrameTest::closeTheOnlyEntry() {
    GuiWorkspace ws;
    ws.ui.fileAnswers.push_back(WriteBitmap(ws.Path("x.bmp"), 2, 2, [](int, int) { return true; }));
    ws.frame.OnOpenSecretImage();
    ws.frame.OnCloseImage();
    QCOMPARE(ws.frame.ImageCount(), 0);
    QCOMPARE(ws.frame.ImageSelector().count(), 0);
    QCOMPARE(BlackCanvasPixels(ws.frame.Canvas()), 0);
    ws.frame.OnCloseImage(); // nothing left: no change, no failure
    QCOMPARE(ws.frame.ImageCount(), 0);
}

void FrameTest::closeAll() {
    GuiWorkspace ws;
    OpenFive(ws);
    ws.frame.OnCloseAll();
    QCOMPARE(ws.frame.ImageCount(), 0);
    QCOMPARE(ws.frame.ImageSelector().count(), 0);
    QCOMPARE(BlackCanvasPixels(ws.frame.Canvas()), 0);

    // New names start again at the front.
    ws.ui.fileAnswers.push_back(ws.Path("c.bmp"));
    ws.frame.OnOpenSecretImage();
    QCOMPARE(ws.frame.ImageCount(), 1);
    QCOMPARE(ws.frame.ImageName(0), ws.Path("c.bmp"));
}

void FrameTest::saveCurrentAs_data() {
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("written");
    QTest::newRow("no extension") << "foo"
                                  << "foo.bmp";
    QTest::newRow("upper-case BMP is not bmp") << "foo.BMP"
                                               << "foo.BMP.bmp";
    QTest::newRow("bmp") << "foo.bmp"
                         << "foo.bmp";
}

void FrameTest::saveCurrentAs() {
    QFETCH(QString, typed);
    QFETCH(QString, written);
    GuiWorkspace ws;
    const QStringList paths = OpenFive(ws);
    ws.frame.ImageSelector().setCurrentIndex(1);
    emit ws.frame.ImageSelector().activated(1);
    QVERIFY(QDir().mkpath(ws.Path("out")));
    ws.ui.fileAnswers.push_back(ws.Path("out/" + typed));
    ws.frame.OnSaveCurrentAs();

    const FileRequest& request = ws.ui.fileDialogs.back();
    QCOMPARE(request.kind, FileRequest::Kind::Save);
    QCOMPARE(request.title, QString("Save Image As..."));
    QCOMPARE(request.filter, QString("Bitmap Files(*.bmp);;All Files(*.*)"));
    QVERIFY(request.confirmOverwrite);

    const QString path = ws.Path("out/" + written);
    QVERIFY(QFile::exists(path));
    QCOMPARE(ReadFileBytes(QFile::encodeName(path).toStdString()),
             ReadFileBytes(QFile::encodeName(paths[1]).toStdString()));
    QCOMPARE(ws.frame.ImageCount(), 5);
    QCOMPARE(ws.frame.ImageName(1), path);
    QCOMPARE(ws.frame.ImageSelector().itemText(1), typed);
    QCOMPARE(ws.frame.ImageSelector().currentIndex(), 1);
    QCOMPARE(QDir::currentPath(), ws.Path("out"));
    QVERIFY(QFile::exists(paths[1])); // the old file stays
}

void FrameTest::saveCurrentAsWithEmptyListAsksNothing() {
    GuiWorkspace ws;
    ws.frame.OnSaveCurrentAs();
    QVERIFY(ws.ui.fileDialogs.empty());
}

void FrameTest::saveCurrentAsCancelledChangesNothing() {
    GuiWorkspace ws;
    const QStringList paths = OpenFive(ws);
    const QString folder = QDir::currentPath();
    const QStringList files = QDir(folder).entryList(QDir::Files | QDir::Hidden);
    ws.ui.fileAnswers.push_back(std::nullopt);
    ws.frame.OnSaveCurrentAs();

    QCOMPARE(ws.ui.fileDialogs.size(), std::size_t{6});
    QCOMPARE(ws.ui.fileDialogs.back().kind, FileRequest::Kind::Save);
    QCOMPARE(QDir::currentPath(), folder);
    QCOMPARE(QDir(folder).entryList(QDir::Files | QDir::Hidden), files);
    QCOMPARE(ws.frame.ImageName(4), paths[4]);
    QCOMPARE(ws.frame.CurrentImage()->m_strFileName, QFile::encodeName(paths[4]).toStdString());
    QVERIFY(ws.ui.messages.empty());
}

void FrameTest::saveCurrentAsThatCannotWriteKeepsTheEntry() {
    GuiWorkspace ws;
    const QStringList paths = OpenFive(ws);
    const QString target = ws.Path("missing-folder/foo.bmp");
    std::vector<std::string> expected; // what the image reports for this write
    {
        RecordingSink sink;
        CBmpImage probe = ReadBitmap(paths[4]);
        probe.m_strFileName = QFile::encodeName(target).toStdString();
        QVERIFY(!probe.Write());
        expected = sink.messages;
    }
    QCOMPARE(expected.size(), std::size_t{1});
    ws.ui.fileAnswers.push_back(target);
    ws.frame.OnSaveCurrentAs();

    QCOMPARE(ws.ui.messages.size(), std::size_t{1});
    QCOMPARE(ws.ui.messages[0].text.toStdString(), expected[0]);
    QCOMPARE(ws.ui.messages[0].caption, QString("lumisplit"));
    QCOMPARE(ws.frame.ImageName(4), paths[4]);
    QCOMPARE(ws.frame.ImageSelector().itemText(4), QString("e.bmp"));
    QCOMPARE(ws.frame.CurrentImage()->m_strFileName, QFile::encodeName(paths[4]).toStdString());
}

void FrameTest::helpAndAboutUseTheApplicationCaption() {
    GuiWorkspace ws;
    ws.frame.OnHelp();
    ws.frame.OnAbout();
    QCOMPARE(ws.ui.messages.size(), std::size_t{2});
    QVERIFY(ws.ui.messages[0].text.contains("README.md"));
    QVERIFY(!ws.ui.messages[0].text.contains("http"));
    for (const auto& message : ws.ui.messages)
        QCOMPARE(message.caption, QString("lumisplit"));
}

void FrameTest::exitEndsEveryEventLoop() {
    GuiWorkspace ws;
    ws.frame.show();
    bool innerLoopEnded = false;
    // The inner loop stands for the front dialog's, running when Exit is chosen.
    QTimer::singleShot(0, [&] {
        QEventLoop inner;
        QTimer::singleShot(0, &ws.frame, &CShareFrame::OnExit);
        inner.exec();
        innerLoopEnded = true;
    });
    QTimer::singleShot(10000, [] { QCoreApplication::exit(99); }); // a hang fails, not blocks
    QCOMPARE(QCoreApplication::exec(), 0);
    QVERIFY(innerLoopEnded);
}

QTEST_MAIN(FrameTest)
#include "FrameTest.moc"
