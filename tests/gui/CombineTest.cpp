// The Combine command: count dialog, layer dialogs, hand-off file, viewer
// starts, the stacked result, and the ways it stops.

#include "GuiWorkspace.h"
#include "shares/Stack.h"

#include <QComboBox>
#include <QDialog>
#include <QFileInfo>
#include <QLineEdit>
#include <QTest>

using namespace lumisplit;
using namespace lumisplit::test;

namespace {

const QString kCannotCombine = QStringLiteral("No se pueden combinar las imágenes. ");

QString HandOff(const GuiWorkspace& ws) {
    QFile file(ws.Path("kov.ini"));
    return file.open(QIODevice::ReadOnly) ? QString::fromLatin1(file.readAll()) : QString();
}

} // namespace

class CombineTest : public QObject {
    Q_OBJECT
private slots:
    void twoLayers();
    void cancelledThirdLayer();
    void escapeOnTheCountEndsAtOnce();
    void viewerThatCannotStartStopsNothing();
    void resultThatCannotBeWrittenIsNotListed();
    void badLayerStops_data();
    void badLayerStops();
};

void CombineTest::twoLayers() {
    GuiWorkspace ws;
    const QString white = WriteBitmap(ws.Path("white.bmp"), 4, 3, [](int, int) { return false; });
    const QString dot =
        WriteBitmap(ws.Path("dot.bmp"), 4, 3, [](int r, int c) { return r == 1 && c == 2; });
    ws.ui.fileAnswers = {white, dot};
    QString proposed;
    ws.ui.dialogScripts.push_back([&proposed](QDialog& dialog) {
        proposed = dialog.findChild<QLineEdit*>("2021")->text();
        SetEditText(dialog, "2021", "2");
        PressOk(dialog);
    });
    QStringList digitsAtStart;
    ws.ui.onStart = [&](const ScriptedInteraction::Start&) { digitsAtStart << HandOff(ws); };
    ws.frame.OnCombineShares();

    QCOMPARE(proposed, QString("2")); // the current n
    QCOMPARE(ws.ui.dialogTitles, QStringList{QString()});
    QCOMPARE(ws.ui.fileDialogs.size(), std::size_t{2});
    for (int i = 0; i < 2; ++i) {
        QCOMPARE(ws.ui.fileDialogs[i].title, QString("Seleccione la capa %1").arg(i + 1));
        QCOMPARE(ws.ui.fileDialogs[i].filter, QString("Bitmap Files(*.bmp);;All Files(*.*)"));
        QVERIFY(ws.ui.fileDialogs[i].mustExist);
    }
    QCOMPARE(ws.ui.fileDialogs[1].startPath, white);

    QCOMPARE(digitsAtStart, (QStringList{"1", "2"}));
    QCOMPARE(HandOff(ws), QString("2"));
    QCOMPARE(ws.ui.starts.size(), std::size_t{2});
    const QStringList layers{white, dot};
    for (int i = 0; i < 2; ++i) {
        QCOMPARE(QFileInfo(ws.ui.starts[i].program).fileName(), QString("oculet"));
        QCOMPARE(ws.ui.starts[i].arguments, QStringList{layers[i]});
    }

    const CBmpImage result = ReadBitmap(ws.Path("resultado.bmp"));
    QCOMPARE(result.Width(), 4);
    QCOMPARE(result.Height(), 3);
    for (int r = 0; r < 3; ++r)
        for (int c = 0; c < 4; ++c)
            QCOMPARE(result.GetPixelBW(r, c), (r == 1 && c == 2) ? 'b' : 'w');
    QCOMPARE(ws.frame.ImageCount(), 1);
    QCOMPARE(ws.frame.ImageName(0), QString("resultado.bmp"));
    QCOMPARE(ws.frame.ImageSelector().itemText(0), QString("resultado.bmp"));
    QCOMPARE(ws.frame.ImageSelector().currentIndex(), 0);
    QCOMPARE(ws.frame.CurrentImage()->m_strFileName, std::string("resultado.bmp"));
    QCOMPARE(ws.frame.Canvas().pixel(2, 3 - 1 + 29), qRgb(0, 0, 0));
    QVERIFY(ws.ui.messages.empty());
}

void CombineTest::cancelledThirdLayer() {
    GuiWorkspace ws;
    const QString a = WriteBitmap(ws.Path("a.bmp"), 3, 3, [](int r, int) { return r == 0; });
    const QString b = WriteBitmap(ws.Path("b.bmp"), 3, 3, [](int, int c) { return c == 0; });
    ws.ui.fileAnswers = {a, b, std::nullopt};
    ws.ui.dialogScripts.push_back(FillAndOk({{"2021", "3"}}));
    ws.frame.OnCombineShares();

    QCOMPARE(ws.ui.fileDialogs.size(), std::size_t{3});
    QCOMPARE(ws.ui.fileDialogs[2].title, QString("Seleccione la capa 3"));
    QCOMPARE(ws.ui.messages.size(), std::size_t{1});
    QCOMPARE(ws.ui.messages[0].text, kCannotCombine);
    QCOMPARE(ws.ui.messages[0].caption, QString("lumisplit"));
    QCOMPARE(ws.ui.starts.size(), std::size_t{2});
    QCOMPARE(HandOff(ws), QString("2"));
    QVERIFY(!ws.Exists("resultado.bmp"));
    QCOMPARE(ws.frame.ImageCount(), 0);
}

void CombineTest::escapeOnTheCountEndsAtOnce() {
    GuiWorkspace ws;
    ws.ui.dialogScripts.push_back(PressEscape);
    ws.frame.OnCombineShares();
    QCOMPARE(ws.ui.dialogTitles.size(), 1);
    QVERIFY(ws.ui.fileDialogs.empty());
    QVERIFY(ws.ui.starts.empty());
    QVERIFY(!ws.Exists("kov.ini"));
}

void CombineTest::viewerThatCannotStartStopsNothing() {
    GuiWorkspace ws;
    const QString a = WriteBitmap(ws.Path("a.bmp"), 3, 3, [](int r, int) { return r == 0; });
    const QString b = WriteBitmap(ws.Path("b.bmp"), 3, 3, [](int, int c) { return c == 0; });
    ws.ui.fileAnswers = {a, b};
    ws.ui.dialogScripts.push_back(FillAndOk({{"2021", "2"}}));
    ws.ui.startSucceeds = false;
    ws.frame.OnCombineShares();

    QCOMPARE(ws.ui.starts.size(), std::size_t{2}); // the second layer is still asked for
    QVERIFY(ws.ui.messages.empty());
    QVERIFY(ws.Exists("resultado.bmp"));
    QCOMPARE(ws.frame.ImageCount(), 1);
}

void CombineTest::resultThatCannotBeWrittenIsNotListed() {
    GuiWorkspace ws;
    const QString a = WriteBitmap(ws.Path("a.bmp"), 3, 3, [](int r, int) { return r == 0; });
    const QString b = WriteBitmap(ws.Path("b.bmp"), 3, 3, [](int, int c) { return c == 0; });
    QVERIFY(QDir().mkpath(ws.Path("resultado.bmp"))); // a folder where the result goes
    std::vector<std::string> expected;                // what the image reports for this write
    {
        RecordingSink sink;
        CBmpImage probe = ReadBitmap(a);
        probe.m_strFileName = "resultado.bmp";
        QVERIFY(!probe.Write());
        expected = sink.messages;
    }
    QCOMPARE(expected.size(), std::size_t{1});
    ws.ui.fileAnswers = {a, b};
    ws.ui.dialogScripts.push_back(FillAndOk({{"2021", "2"}}));
    ws.frame.OnCombineShares();

    QCOMPARE(ws.ui.starts.size(), std::size_t{2});
    QCOMPARE(ws.ui.messages.size(), std::size_t{1});
    QCOMPARE(ws.ui.messages[0].text.toStdString(), expected[0]);
    QCOMPARE(ws.frame.ImageCount(), 0);
}

void CombineTest::badLayerStops_data() {
    QTest::addColumn<int>("badLayer");
    QTest::addColumn<bool>("unreadable"); // else smaller than the first
    QTest::addColumn<int>("startsBeforeStop");
    QTest::newRow("first unreadable") << 0 << true << 0;
    QTest::newRow("second unreadable") << 1 << true << 1;
    QTest::newRow("second narrower than the first") << 1 << false << 2;
}

void CombineTest::badLayerStops() {
    QFETCH(int, badLayer);
    QFETCH(bool, unreadable);
    QFETCH(int, startsBeforeStop);
    GuiWorkspace ws;
    const QString good = WriteBitmap(ws.Path("good.bmp"), 4, 4, [](int, int) { return false; });
    const QString bad =
        unreadable ? ws.Path("missing.bmp")
                   : WriteBitmap(ws.Path("small.bmp"), 3, 4, [](int, int) { return true; });
    QStringList answers{good, good};
    answers[badLayer] = bad;

    std::vector<std::string> expected; // the core's own report of the fault
    {
        RecordingSink sink;
        std::vector<CBmpImage> images;
        for (const QString& path : answers) {
            images.push_back(ReadBitmap(path));
            if (!images.back().HasPixels())
                break;
        }
        if (!unreadable)
            QVERIFY(!StackLayers({&images[0], &images[1]}, "resultado.bmp").has_value());
        expected = sink.messages;
    }
    QCOMPARE(expected.size(), std::size_t{1});

    ws.ui.fileAnswers = {answers[0], answers[1]};
    ws.ui.dialogScripts.push_back(FillAndOk({{"2021", "2"}}));
    ws.frame.OnCombineShares();

    QCOMPARE(ws.ui.messages.size(), std::size_t{1});
    QCOMPARE(ws.ui.messages[0].text.toStdString(), expected[0]);
    QCOMPARE(ws.ui.starts.size(), std::size_t(startsBeforeStop));
    QVERIFY(!ws.Exists("resultado.bmp"));
    QCOMPARE(ws.frame.ImageCount(), 0);
}

QTEST_MAIN(CombineTest)
#include "CombineTest.moc"
