// The viewer paints the share it is told about (by argument or by the hand-off
// file), unscaled at the top-left, read afresh at every paint.

#include "oculetDlg.h"

#include <QDir>
#include <QFile>
#include <QImage>
#include <QPainter>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>
#include <memory>
#include <optional>

using oculet::CViewerDlg;

namespace {

// A black-and-white picture; each seed gives a different pattern of black pixels.
QImage Pattern(QSize size, int seed) {
    QImage image(size, QImage::Format_Mono);
    image.setColor(0, qRgb(0, 0, 0));
    image.setColor(1, qRgb(255, 255, 255));
    for (int y = 0; y < size.height(); ++y)
        for (int x = 0; x < size.width(); ++x)
            image.setPixel(x, y, (x * 3 + y * 5 + seed) % 7 == 0 ? 0 : 1);
    return image;
}

void WriteText(const QString& path, const QByteArray& text) {
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    file.write(text);
}

// How many pixels of the painted window differ from what it should show: the
// picture at (0, 0) at its own size, the dialog's background elsewhere.
int Mismatches(const QImage& painted, const QImage& expected, QRgb background) {
    int wrong = 0;
    for (int y = 0; y < painted.height(); ++y)
        for (int x = 0; x < painted.width(); ++x) {
            const bool inPicture = x < expected.width() && y < expected.height();
            const QRgb want = inPicture ? expected.pixel(x, y) : background;
            if (painted.pixel(x, y) != want)
                ++wrong;
        }
    return wrong;
}

QImage Paint(CViewerDlg& viewer) {
    return viewer.grab().toImage().convertToFormat(QImage::Format_RGB32);
}

} // namespace

class ViewerTest : public QObject {
    Q_OBJECT

private slots:
    void init() {
        m_dir = std::make_unique<QTemporaryDir>();
        QVERIFY(m_dir->isValid());
        m_previousFolder = QDir::currentPath();
        QVERIFY(QDir::setCurrent(m_dir->path()));
        m_shares = {
            {"capa1.bmp", Pattern({9, 6}, 1)},   {"capa3.bmp", Pattern({12, 5}, 3)},
            {"capa31.bmp", Pattern({7, 11}, 4)}, {"layer.bmp", Pattern({10, 10}, 5)},
            {"big.bmp", Pattern({600, 700}, 6)}, {"capax.bmp", Pattern({8, 8}, 2)},
        };
        for (auto it = m_shares.cbegin(); it != m_shares.cend(); ++it)
            QVERIFY(it.value().save(it.key(), "BMP"));
        WriteText("capa7.bmp", "not a picture");
    }

    void cleanup() {
        QDir::setCurrent(m_previousFolder);
        m_dir.reset();
    }

    void showsTheNamedShare_data() {
        QTest::addColumn<QByteArray>("handOff"); // empty: no hand-off file at all
        QTest::addColumn<QString>("argument");   // empty: started without one
        QTest::addColumn<QString>("shown");      // empty: only the background

        QTest::newRow("argument wins over the hand-off") << QByteArray("1") << "layer.bmp"
                                                         << "layer.bmp";
        QTest::newRow("larger than the window: cut off") << QByteArray() << "big.bmp"
                                                         << "big.bmp";
        QTest::newRow("hand-off 3") << QByteArray("3") << QString() << "capa3.bmp";
        QTest::newRow("hand-off 31: first character only")
            << QByteArray("31") << QString() << "capa3.bmp";
        QTest::newRow("no hand-off file") << QByteArray() << QString() << QString();
        QTest::newRow("empty hand-off file") << QByteArray("") << QString() << QString();
        QTest::newRow("hand-off not a digit") << QByteArray("x") << QString() << QString();
        QTest::newRow("share missing") << QByteArray("5") << QString() << QString();
        QTest::newRow("share not a picture") << QByteArray("7") << QString() << QString();
        QTest::newRow("argument missing") << QByteArray("1") << "gone.bmp" << QString();
    }

    void showsTheNamedShare() {
        QFETCH(QByteArray, handOff);
        QFETCH(QString, argument);
        QFETCH(QString, shown);
        if (!handOff.isNull())
            WriteText("kov.ini", handOff);
        std::optional<QString> path;
        if (!argument.isEmpty())
            path = m_dir->filePath(argument);
        CViewerDlg viewer(path);

        const QImage painted = Paint(viewer);
        const QImage expected = shown.isEmpty() ? QImage() : m_shares.value(shown);
        QCOMPARE(Mismatches(painted, expected, Background(viewer)), 0);
    }

    void rereadsTheFilesAtEveryPaint() {
        WriteText("kov.ini", "1");
        CViewerDlg viewer;
        const QRgb background = Background(viewer);
        QCOMPARE(Mismatches(Paint(viewer), m_shares["capa1.bmp"], background), 0);

        // The main program names the next layer while this viewer is open.
        WriteText("kov.ini", "3");
        QCOMPARE(Mismatches(Paint(viewer), m_shares["capa3.bmp"], background), 0);

        // A share rewritten on disk is shown as it is now.
        QVERIFY(QFile::remove("capa3.bmp"));
        QVERIFY(m_shares["layer.bmp"].save("capa3.bmp", "BMP"));
        QCOMPARE(Mismatches(Paint(viewer), m_shares["layer.bmp"], background), 0);

        QVERIFY(QFile::remove("capa3.bmp"));
        QCOMPARE(Mismatches(Paint(viewer), QImage(), background), 0);
    }

    void windowIsTheBareCapaDialog() {
        CViewerDlg viewer;
        QCOMPARE(viewer.windowTitle(), QStringLiteral("capa"));
        QVERIFY(viewer.findChildren<QWidget*>().isEmpty());
        QVERIFY(viewer.windowFlags().testFlag(Qt::Window));
        viewer.show(); // every viewer opens at the origin
        QCOMPARE(viewer.pos(), QPoint(0, 0));
        const QList<QSize> sizes = viewer.windowIcon().availableSizes();
        QVERIFY2(sizes.contains(QSize(16, 16)) && sizes.contains(QSize(32, 32)),
                 "the icon carries both the small and the large picture");
    }

    void refusesMoreThanOneArgument() {
        QProcess viewer;
        viewer.start(OCULET_BIN, {"capa1.bmp", "capa2.bmp"});
        QVERIFY(viewer.waitForFinished(10000));
        QCOMPARE(viewer.exitCode(), 2);
        // Qt may put notes of its own before it.
        const QList<QByteArray> lines = viewer.readAllStandardError().trimmed().split('\n');
        QCOMPARE(lines.last(), QByteArray("usage: oculet [SHARE.bmp]"));
    }

private:
    QRgb Background(const CViewerDlg& viewer) const {
        return viewer.palette().color(QPalette::Window).rgb();
    }

    std::unique_ptr<QTemporaryDir> m_dir;
    QString m_previousFolder;
    QMap<QString, QImage> m_shares;
};

QTEST_MAIN(ViewerTest)
#include "ViewerTest.moc"
