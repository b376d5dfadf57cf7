// The Encrypt command: every access structure, the innocent-image dialogs of
// the extended methods, the full image list, and what the core refuses.

#include "GuiWorkspace.h"
#include "basis/BasisPair.h"
#include "shares/Shares.h"
#include "shell/SchemeBar.h"

#include <QComboBox>
#include <QTest>

using namespace lumisplit;
using namespace lumisplit::test;

Q_DECLARE_METATYPE(std::vector<std::vector<int>>)

namespace {

const QString kDone = QStringLiteral("Imagen ENCRIPTADA\nLas imagenes han sido almacenadas\ncon "
                                     "los nombres:\ncapa1.bmp, capa2.bmp,.., capan.bmp");
const QString kDoneCaption = QStringLiteral("Encriptación Realizada");
const QString kNoInnocent =
    QStringLiteral("Cannot Encrypt without valid innocent image source file.");

bool SecretBlack(int r, int c) {
    return (r * 3 + c) % 4 == 0;
}

// Opens an 8 x 6 secret in the workspace's folder.
QString OpenSecret(GuiWorkspace& ws) {
    const QString path = WriteBitmap(ws.Path("secret.bmp"), 8, 6, SecretBlack);
    ws.ui.fileAnswers.push_back(path);
    ws.frame.OnOpenSecretImage();
    return path;
}

bool AnyShareFile(const GuiWorkspace& ws) {
    for (int i = 0; i < 9; ++i)
        if (ws.Exists(QString::fromStdString(ShareName(i))))
            return true;
    return false;
}

} // namespace

class EncryptTest : public QObject {
    Q_OBJECT
private slots:
    void withoutImageAsksForOne();
    void eachScheme_data();
    void eachScheme();
    void extendedMethodChoosesInnocentImages_data();
    void extendedMethodChoosesInnocentImages();
    void innocentImageMissing_data();
    void innocentImageMissing();
    void overflowShowsTheFirstShareOfTheSet();
    void refusedParametersWriteNothing_data();
    void refusedParametersWriteNothing();
    void shareSetThatCannotBeWrittenKeepsTheList();
};

void EncryptTest::withoutImageAsksForOne() {
    GuiWorkspace ws;
    ws.frame.OnEncrypt();
    QCOMPARE(ws.ui.messages.size(), std::size_t{1});
    QCOMPARE(ws.ui.messages[0].text, QString("Please open a secret image file first."));
    QCOMPARE(ws.ui.messages[0].caption, QString("Cannot Encrypt"));
    QCOMPARE(ws.frame.ImageCount(), 0);
    QVERIFY(!AnyShareFile(ws));
}

void EncryptTest::eachScheme_data() {
    QTest::addColumn<int>("scheme");
    QTest::addColumn<int>("n");
    QTest::addColumn<int>("k");
    QTest::addColumn<std::vector<std::vector<int>>>("sets");
    QTest::addColumn<int>("method");
    const std::vector<std::vector<int>> none;
    QTest::newRow("(2,2), random basis column") << 0 << 2 << 2 << none << 0;
    QTest::newRow("(2,n) n=3, pixel sampling") << 1 << 3 << 2 << none << 1;
    QTest::newRow("(n,n) n=4, square subpixel expansion") << 2 << 4 << 4 << none << 2;
    QTest::newRow("(k,n) k=2 n=3, smallest square w/ filler") << 3 << 3 << 2 << none << 3;
    QTest::newRow("(k,n) k=3 n=5, smallest square w/o filler") << 3 << 5 << 3 << none << 4;
    QTest::newRow("general {12, 23}, random basis column")
        << 4 << 3 << 2 << std::vector<std::vector<int>>{{1, 1, 0}, {0, 1, 1}} << 0;
}

void EncryptTest::eachScheme() {
    QFETCH(int, scheme);
    QFETCH(int, n);
    QFETCH(int, k);
    QFETCH(std::vector<std::vector<int>>, sets);
    QFETCH(int, method);
    GuiWorkspace ws;
    OpenSecret(ws);
    CSchemeBar& bar = ws.frame.SchemeBar();
    bar.m_nScheme = scheme;
    bar.m_nParticipants = n;
    bar.m_nThreshold = k;
    bar.m_nMethod = method;
    if (!sets.empty()) {
        CMatrix table(0, n);
        for (const auto& row : sets)
            table.InsertRow(table.GetRows(), row.data());
        bar.m_pQualifiedSets = table;
    }
    ws.frame.OnEncrypt();

    QCOMPARE(ws.ui.messages.size(), std::size_t{1});
    QCOMPARE(ws.ui.messages[0].text, kDone);
    QCOMPARE(ws.ui.messages[0].caption, kDoneCaption);
    QCOMPARE(ws.frame.ImageCount(), 1 + n);
    for (int i = 0; i < n; ++i) {
        const QString name = QString::fromStdString(ShareName(i));
        QCOMPARE(ws.frame.ImageName(1 + i), name);
        QCOMPARE(ws.frame.ImageSelector().itemText(1 + i), name);
        QVERIFY(ReadBitmap(ws.Path(name)).HasPixels());
    }
    QVERIFY(!ws.Exists(QString::fromStdString(ShareName(n))));
    QCOMPARE(ws.frame.ImageSelector().currentIndex(), 1);
    QCOMPARE(ws.frame.CurrentImage()->m_strFileName, std::string("capa1.bmp"));
    VerifyCanvasShows(ws.frame, ReadBitmap(ws.Path("capa1.bmp")));
}

void EncryptTest::extendedMethodChoosesInnocentImages_data() {
    QTest::addColumn<int>("method");
    QTest::newRow("preserve size") << 5;
    QTest::newRow("preserve detail") << 6;
}

void EncryptTest::extendedMethodChoosesInnocentImages() {
    QFETCH(int, method);
    GuiWorkspace ws;
    OpenSecret(ws);
    QVERIFY(QDir().mkpath(ws.Path("covers")));
    const QString first =
        WriteBitmap(ws.Path("covers/one.bmp"), 8, 6, [](int r, int) { return r < 3; });
    const QString second =
        WriteBitmap(ws.Path("covers/two.bmp"), 8, 6, [](int, int c) { return c < 4; });
    ws.ui.fileAnswers = {first, second};
    ws.frame.SchemeBar().m_nMethod = method;
    ws.frame.OnEncrypt();

    QCOMPARE(ws.ui.fileDialogs.size(), std::size_t{3}); // the secret, then one per participant
    for (int p = 0; p < 2; ++p) {
        const FileRequest& request = ws.ui.fileDialogs[1 + p];
        QCOMPARE(request.title, QString("Select Innocent Image File %1").arg(p + 1));
        QCOMPARE(request.filter, QString("Bitmap Files(*.bmp);;All Files(*.*)"));
        QCOMPARE(request.kind, FileRequest::Kind::Open);
        QVERIFY(request.mustExist);
    }
    QCOMPARE(ws.ui.fileDialogs[2].startPath, first); // starts from the previous choice
    QCOMPARE(ws.ui.messages.size(), std::size_t{1});
    QCOMPARE(ws.ui.messages[0].text, kDone);
    // The covers' folder is now the current one: the shares land there.
    QVERIFY(ws.Exists("covers/capa1.bmp") && ws.Exists("covers/capa2.bmp"));
    QCOMPARE(ws.frame.ImageCount(), 3);
    QCOMPARE(ws.frame.ImageSelector().currentIndex(), 1);
    VerifyCanvasShows(ws.frame, ReadBitmap(ws.Path("covers/capa1.bmp")));
}

void EncryptTest::innocentImageMissing_data() {
    QTest::addColumn<bool>("secondUnreadable"); // else the second dialog is cancelled
    QTest::addColumn<bool>("firstCancelled");
    QTest::newRow("first dialog cancelled") << false << true;
    QTest::newRow("second dialog cancelled") << false << false;
    QTest::newRow("second file unreadable") << true << false;
}

void EncryptTest::innocentImageMissing() {
    QFETCH(bool, secondUnreadable);
    QFETCH(bool, firstCancelled);
    GuiWorkspace ws;
    const QString secret = OpenSecret(ws);
    const QString cover = WriteBitmap(ws.Path("cover.bmp"), 8, 6, [](int, int) { return false; });
    const QString unreadable = ws.Path("not-there.bmp");
    QString expected = kNoInnocent;
    if (firstCancelled) {
        ws.ui.fileAnswers = {std::nullopt};
    } else if (!secondUnreadable) {
        ws.ui.fileAnswers = {cover, std::nullopt};
    } else {
        ws.ui.fileAnswers = {cover, unreadable};
        RecordingSink sink; // the image's own report for this file
        CBmpImage probe(unreadable.toStdString());
        QVERIFY(!probe.Read());
        QCOMPARE(sink.messages.size(), std::size_t{1});
        expected = QString::fromStdString(sink.messages[0]);
    }
    ws.frame.SchemeBar().m_nMethod = kExtendedPreserveSize;
    ws.frame.OnEncrypt();

    QCOMPARE(ws.ui.messages.size(), std::size_t{1}); // and no completion message
    QCOMPARE(ws.ui.messages[0].text, expected);
    QCOMPARE(ws.ui.messages[0].caption, QString("lumisplit"));
    QCOMPARE(ws.ui.fileDialogs.size(), std::size_t{firstCancelled ? 2u : 3u});
    QVERIFY(!AnyShareFile(ws));
    QCOMPARE(ws.frame.ImageCount(), 1);
    QCOMPARE(ws.frame.CurrentImage()->m_strFileName, secret.toStdString());
}

void EncryptTest::overflowShowsTheFirstShareOfTheSet() {
    GuiWorkspace ws;
    OpenSecret(ws);
    for (int i = 1; i < 23; ++i)
        ws.frame.RegisterImageName(QString("old%1.bmp").arg(i), QString("old%1.bmp").arg(i));
    ws.frame.ImageSelector().setCurrentIndex(0);
    CSchemeBar& bar = ws.frame.SchemeBar();
    bar.m_nScheme = kSchemeNN;
    bar.m_nParticipants = 3;
    bar.m_nThreshold = 3;
    ws.frame.OnEncrypt();

    QCOMPARE(ws.frame.ImageCount(), 25);
    QCOMPARE(ws.frame.ImageName(22), QString("old22.bmp"));
    QCOMPARE(ws.frame.ImageName(23), QString("capa1.bmp"));
    QCOMPARE(ws.frame.ImageName(24), QString("capa3.bmp"));
    QCOMPARE(ws.frame.ImageSelector().itemText(24), QString("capa3.bmp"));
    QCOMPARE(ws.frame.ImageSelector().currentIndex(), 23);
    QCOMPARE(ws.frame.CurrentImage()->m_strFileName, std::string("capa1.bmp"));
    VerifyCanvasShows(ws.frame, ReadBitmap(ws.Path("capa1.bmp")));
}

void EncryptTest::refusedParametersWriteNothing_data() {
    QTest::addColumn<int>("n");
    QTest::addColumn<int>("k");
    QTest::newRow("ten participants") << 10 << 3;
    QTest::newRow("k above n") << 3 << 5;
    QTest::newRow("k of 0") << 4 << 0;
    QTest::newRow("one participant") << 1 << 1;
}

void EncryptTest::refusedParametersWriteNothing() {
    QFETCH(int, n);
    QFETCH(int, k);
    std::vector<std::string> expected;
    {
        RecordingSink sink;
        QVERIFY(!BuildBasisPair(kSchemeKN, n, k, nullptr).has_value());
        expected = sink.messages;
    }
    QCOMPARE(expected.size(), std::size_t{1});

    GuiWorkspace ws;
    OpenSecret(ws);
    ws.frame.SetThresholdScheme(n, k); // as the front dialog passes typed numbers
    ws.frame.OnEncrypt();

    QCOMPARE(ws.ui.messages.size(), std::size_t{1});
    QCOMPARE(ws.ui.messages[0].text.toStdString(), expected[0]);
    QVERIFY(!AnyShareFile(ws));
    QCOMPARE(ws.frame.ImageCount(), 1);
}

void EncryptTest::shareSetThatCannotBeWrittenKeepsTheList() {
    GuiWorkspace ws;
    const QString secret = OpenSecret(ws);
    QVERIFY(QDir().mkpath(ws.Path("capa2.bmp"))); // a folder where the second share goes
    ws.frame.OnEncrypt();

    QCOMPARE(ws.ui.messages.size(), std::size_t{1}); // the core's report, no completion
    QVERIFY(ws.ui.messages[0].text.contains("capa2.bmp"));
    QCOMPARE(ws.ui.messages[0].caption, QString("lumisplit"));
    QVERIFY(!ws.Exists("capa1.bmp"));
    QCOMPARE(ws.frame.ImageCount(), 1);
    QCOMPARE(ws.frame.CurrentImage()->m_strFileName, secret.toStdString());
}

QTEST_MAIN(EncryptTest)
#include "EncryptTest.moc"
