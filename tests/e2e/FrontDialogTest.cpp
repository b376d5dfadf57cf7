// The front dialog over a real main window, driven headless through the
// scripted seam: start-up and its end, Encriptar with good and refused n and k,
// the Enter key, drawing pictures, Desencriptar, and the way to the main window.

#include "shell/FrontDialog.h"

#include "ScriptedInteraction.h"
#include "princip/ShareApp.h"
#include "princip/ShareFrame.h"
#include "shell/QtInteraction.h"
#include "shell/SchemeBar.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <functional>
#include <memory>

using lumisplit::CFrontDialog;
using lumisplit::CShareApp;
using lumisplit::CShareFrame;
using lumisplit::test::ScriptedInteraction;

namespace {

const QString kRefusal = QStringLiteral("n must be a whole number from 2 to 9, and k from 2 to n.");

template <class T> T* Control(QWidget& dialog, int id) {
    return dialog.findChild<T*>(QString::number(id));
}

void Click(QWidget& dialog, int id) {
    QTest::mouseClick(Control<QPushButton>(dialog, id), Qt::LeftButton);
}

QList<CShareFrame*> MainWindows() {
    QList<CShareFrame*> frames;
    for (QWidget* widget : QApplication::topLevelWidgets())
        if (auto* frame = qobject_cast<CShareFrame*>(widget))
            frames.push_back(frame);
    return frames;
}

// A 1-bit picture, black where black(x, y) holds, with black at index 0 as our BMP files have it.
QImage MonoPicture(QSize size, const std::function<bool(int, int)>& black) {
    QImage picture(size, QImage::Format_Mono);
    picture.setColor(0, qRgb(0, 0, 0));
    picture.setColor(1, qRgb(255, 255, 255));
    for (int y = 0; y < size.height(); ++y)
        for (int x = 0; x < size.width(); ++x)
            picture.setPixel(x, y, black(x, y) ? 0 : 1);
    return picture;
}

void EncryptRow(const char* name, const char* n, const char* k, int shares, int threshold) {
    QTest::newRow(name) << QString(n) << QString(k) << shares << threshold;
}

QImage Grab(QWidget& widget) {
    return widget.grab().toImage().convertToFormat(QImage::Format_RGB32);
}

// True when the painted dialog shows the picture at the drawing point, pixel for pixel.
bool ShowsPicture(const QImage& painted, const QImage& picture) {
    const QImage expected = picture.convertToFormat(QImage::Format_RGB32);
    return painted.copy(CFrontDialog::kPictureX, CFrontDialog::kPictureY, expected.width(),
                        expected.height()) == expected;
}

} // namespace

class FrontDialogTest : public QObject {
    Q_OBJECT

private slots:
    void init() {
        m_dir = std::make_unique<QTemporaryDir>();
        QVERIFY(m_dir->isValid());
        m_previousFolder = QDir::currentPath();
        QVERIFY(QDir::setCurrent(m_dir->path()));
        m_secret = m_dir->filePath("secreto.bmp");
        QVERIFY(QFile::copy(LUMISPLIT_SAMPLES_DIR "/secreto.bmp", m_secret));
        // Small enough that nine shares are made in a moment.
        m_smallSecret = m_dir->filePath("ok-small.bmp");
        QVERIFY(QFile::copy(LUMISPLIT_SAMPLES_DIR "/ok-small.bmp", m_smallSecret));
        m_seam = std::make_unique<ScriptedInteraction>();
    }

    void cleanup() {
        m_seam.reset();
        QDir::setCurrent(m_previousFolder);
        m_dir.reset();
    }

    void startUpShowsTheDialogAndEndsWithIt_data() {
        QTest::addColumn<bool>("byEscape");
        QTest::newRow("SALIR") << false;
        QTest::newRow("Escape") << true;
    }

    void startUpShowsTheDialogAndEndsWithIt() {
        QFETCH(bool, byEscape);
        struct Seen {
            QString title, n, k, focus;
            QStringList tabOrder;
            bool closeBox = true, anyDefault = true, mainWindowHidden = false, centred = false;
            int mainWindows = 0;
        } seen;
        m_seam->dialogScripts.push_back([&](QDialog& dialog) {
            seen.title = dialog.windowTitle();
            seen.n = Control<QLineEdit>(dialog, CFrontDialog::kEditN)->text();
            seen.k = Control<QLineEdit>(dialog, CFrontDialog::kEditK)->text();
            seen.focus = dialog.focusWidget() ? dialog.focusWidget()->objectName() : QString();
            seen.closeBox = dialog.windowFlags().testFlag(Qt::WindowCloseButtonHint) ||
                            dialog.windowFlags().testFlag(Qt::WindowSystemMenuHint);
            seen.anyDefault = false;
            for (auto* button : dialog.findChildren<QPushButton*>())
                seen.anyDefault = seen.anyDefault || button->isDefault() || button->autoDefault();
            // The controls that take the tab key, in turn from the focused one.
            QWidget* const first = dialog.focusWidget();
            for (QWidget* widget = first; widget != nullptr && seen.tabOrder.size() < 20;) {
                seen.tabOrder.push_back(widget->objectName());
                do
                    widget = widget->nextInFocusChain();
                while (widget->focusPolicy() == Qt::NoFocus || widget == &dialog);
                if (widget == first)
                    break;
            }
            const QPoint offCentre =
                dialog.frameGeometry().center() - dialog.screen()->availableGeometry().center();
            seen.centred = offCentre.manhattanLength() <= 2;
            seen.mainWindows = static_cast<int>(MainWindows().size());
            seen.mainWindowHidden = seen.mainWindows == 1 && !MainWindows().front()->isVisible();
            if (byEscape)
                QTest::keyClick(&dialog, Qt::Key_Escape);
            else
                Click(dialog, CFrontDialog::kSalirId);
            QVERIFY(!dialog.isVisible());
        });

        QCOMPARE(CShareApp::InitInstance(*m_seam), 0);

        QCOMPARE(seen.title, QStringLiteral("Criptografía Visual"));
        QCOMPARE(seen.n, QStringLiteral("2"));
        QCOMPARE(seen.k, QStringLiteral("2"));
        QCOMPARE(seen.focus, QStringLiteral("2"));
        QCOMPARE(seen.tabOrder,
                 QStringList({"2", "1006", "1007", "1008", "1009", "1010", "Avanzado"}));
        QVERIFY(!seen.closeBox);
        QVERIFY(!seen.anyDefault);
        QCOMPARE(seen.mainWindows, 1);
        QVERIFY(seen.mainWindowHidden);
        QVERIFY(seen.centred);
        QVERIFY2(MainWindows().isEmpty(), "the main window goes with the program");
        QVERIFY(m_seam->messages.empty());
    }

    void encriptarTakesTheTypedScheme_data() {
        QTest::addColumn<QString>("n");
        QTest::addColumn<QString>("k");
        QTest::addColumn<int>("shares"); // 0: refused
        QTest::addColumn<int>("threshold");

        EncryptRow("3 of 2", "3", "2", 3, 2);
        EncryptRow("3 of 3", "3", "3", 3, 3);
        EncryptRow("9 of 2", "9", "2", 9, 2);
        EncryptRow("leading blanks", "  4", " 3", 4, 3);
        EncryptRow("n 0", "0", "2", 0, 0);
        EncryptRow("n 1", "1", "1", 0, 0);
        EncryptRow("n 10", "10", "2", 0, 0);
        EncryptRow("n negative", "-3", "2", 0, 0);
        EncryptRow("n text", "tres", "2", 0, 0);
        EncryptRow("n empty", "", "2", 0, 0);
        EncryptRow("n trailing text", "3a", "2", 0, 0);
        EncryptRow("n past int", "4294967299", "2", 0, 0);
        EncryptRow("k 0", "3", "0", 0, 0);
        EncryptRow("k 1", "3", "1", 0, 0);
        EncryptRow("k above n", "3", "4", 0, 0);
        EncryptRow("k negative", "3", "-2", 0, 0);
        EncryptRow("k text", "3", "x", 0, 0);
    }

    void encriptarTakesTheTypedScheme() {
        QFETCH(QString, n);
        QFETCH(QString, k);
        QFETCH(int, shares);
        QFETCH(int, threshold);
        CShareFrame frame(*m_seam);
        const int selectorShows = frame.SchemeBar().SchemeSelector().currentIndex();
        m_seam->fileAnswers.push_back(m_smallSecret);
        RunFront(frame, [&](CFrontDialog& dialog) {
            Click(dialog, CFrontDialog::kAbrirId);
            Control<QLineEdit>(dialog, CFrontDialog::kEditN)->setText(n);
            Control<QLineEdit>(dialog, CFrontDialog::kEditK)->setText(k);
            Click(dialog, CFrontDialog::kEncriptarId);
        });

        const auto& bar = frame.SchemeBar();
        QCOMPARE(m_seam->messages.size(), std::size_t{1});
        if (shares == 0) {
            QCOMPARE(m_seam->messages.front().text, kRefusal);
            QCOMPARE(m_seam->messages.front().caption, QStringLiteral("lumisplit"));
            QVERIFY(!QFile::exists("capa1.bmp"));
            QCOMPARE(bar.m_nScheme, 0);
            QCOMPARE(bar.m_nParticipants, 2);
            QCOMPARE(bar.m_nThreshold, 2);
            return;
        }
        QCOMPARE(m_seam->messages.front().caption, QStringLiteral("Encriptación Realizada"));
        for (int i = 1; i <= shares; ++i)
            QVERIFY2(QFile::exists(QStringLiteral("capa%1.bmp").arg(i)),
                     qPrintable(QString::number(i)));
        QVERIFY(!QFile::exists(QStringLiteral("capa%1.bmp").arg(shares + 1)));
        QCOMPARE(bar.m_nScheme, 3);
        QCOMPARE(bar.m_nParticipants, shares);
        QCOMPARE(bar.m_nThreshold, threshold);
        QCOMPARE(bar.m_nMethod, 0);
        QCOMPARE(bar.SchemeSelector().currentIndex(), selectorShows);
    }

    void encriptarWithoutImageLeavesTheRefusalToEncrypt() {
        CShareFrame frame(*m_seam);
        RunFront(frame, [](CFrontDialog& dialog) { Click(dialog, CFrontDialog::kEncriptarId); });
        QCOMPARE(m_seam->messages.size(), std::size_t{1});
        QVERIFY(m_seam->messages.front().text != kRefusal);
        QCOMPARE(frame.SchemeBar().m_nScheme, 3);
    }

    void enterPressesOnlyAFocusedButton_data() {
        QTest::addColumn<int>("focused");
        QTest::addColumn<std::size_t>("fileDialogs");
        QTest::newRow("edit n") << CFrontDialog::kEditN << std::size_t{0};
        QTest::newRow("edit k") << CFrontDialog::kEditK << std::size_t{0};
        QTest::newRow("Abrir") << CFrontDialog::kAbrirId << std::size_t{1};
    }

    void enterPressesOnlyAFocusedButton() {
        QFETCH(int, focused);
        QFETCH(std::size_t, fileDialogs);
        CShareFrame frame(*m_seam);
        bool stillOpen = false;
        RunFront(frame, [&](CFrontDialog& dialog) {
            QWidget* control = Control<QWidget>(dialog, focused);
            control->setFocus();
            QTest::keyClick(control, Qt::Key_Return);
            QTest::keyClick(control, Qt::Key_Enter, Qt::KeypadModifier);
            stillOpen = dialog.isVisible();
        });
        QVERIFY(stillOpen);
        QCOMPARE(m_seam->fileDialogs.size(), 2 * fileDialogs);
        QVERIFY(m_seam->messages.empty());
        QVERIFY(!QFile::exists("capa1.bmp"));
    }

    void drawnPicturesStayAndReplaceEachOther() {
        const QImage small = MonoPicture({5, 3}, [](int, int) { return true; });
        QVERIFY(small.save("small.bmp", "BMP"));
        const QImage secret(m_secret);
        CShareFrame frame(*m_seam);
        m_seam->fileAnswers.push_back(m_secret);
        m_seam->fileAnswers.push_back(std::nullopt);
        QImage blank, opened, repainted, reopened, replaced, afterUnreadable;
        RunFront(frame, [&](CFrontDialog& dialog) {
            blank = Grab(dialog);
            Click(dialog, CFrontDialog::kAbrirId);
            opened = Grab(dialog);
            repainted = Grab(dialog);              // as after being covered and uncovered
            Click(dialog, CFrontDialog::kAbrirId); // cancelled: the last secret again
            reopened = Grab(dialog);
            dialog.DrawImageFile("small.bmp");
            replaced = Grab(dialog);
            dialog.DrawImageFile("missing.bmp");
            afterUnreadable = Grab(dialog);
        });
        QVERIFY(!ShowsPicture(blank, secret));
        QVERIFY(ShowsPicture(opened, secret));
        QVERIFY(ShowsPicture(repainted, secret));
        QVERIFY(ShowsPicture(reopened, secret));
        QVERIFY(ShowsPicture(replaced, small));
        // Nothing of the larger picture is left around the smaller one.
        const QRect around(CFrontDialog::kPictureX, CFrontDialog::kPictureY, secret.width(),
                           secret.height());
        for (int y = around.top(); y <= around.bottom(); ++y)
            for (int x = around.left(); x <= around.right(); ++x)
                if (x >= around.left() + small.width() || y >= around.top() + small.height())
                    QCOMPARE(replaced.pixel(x, y), blank.pixel(x, y));
        QCOMPARE(afterUnreadable, replaced);
        QVERIFY(m_seam->messages.empty());
    }

    void desencriptarDrawsTheResult_data() {
        QTest::addColumn<bool>("countCancelled");
        QTest::newRow("two layers") << false;
        QTest::newRow("count cancelled: the earlier result") << true;
    }

    void desencriptarDrawsTheResult() {
        QFETCH(bool, countCancelled);
        CShareFrame frame(*m_seam);
        if (countCancelled) {
            QVERIFY(QFile::copy(m_secret, "resultado.bmp"));
            m_seam->dialogScripts.push_back(lumisplit::test::PressEscape);
        } else {
            QVERIFY(QFile::copy(m_secret, "capa1.bmp"));
            const QImage secret(m_secret);
            const QImage negative = MonoPicture(
                secret.size(), [&](int x, int y) { return secret.pixel(x, y) != qRgb(0, 0, 0); });
            QVERIFY(negative.save("capa3.bmp", "BMP"));
            m_seam->dialogScripts.push_back(lumisplit::test::FillAndOk({{"2021", "2"}}));
            m_seam->fileAnswers = {m_dir->filePath("capa1.bmp"), m_dir->filePath("capa3.bmp")};
        }
        QImage painted;
        RunFront(frame, [&](CFrontDialog& dialog) {
            Click(dialog, CFrontDialog::kDesencriptarId);
            painted = Grab(dialog);
        });

        const QImage result("resultado.bmp");
        QVERIFY(!result.isNull());
        QVERIFY(ShowsPicture(painted, result));
        if (countCancelled) {
            QVERIFY(m_seam->starts.empty());
            return;
        }
        // Stacking a picture on its negative blackens everything.
        QCOMPARE(result.convertToFormat(QImage::Format_Mono),
                 MonoPicture(result.size(), [](int, int) { return true; }));
        QCOMPARE(m_seam->starts.size(), std::size_t{2});
        QCOMPARE(m_seam->starts.back().arguments, QStringList({m_dir->filePath("capa3.bmp")}));
    }

    void avanzadoShowsTheMainWindow() {
        CShareFrame frame(*m_seam);
        bool shown = false, hiddenAgain = false, dialogStays = false;
        RunFront(frame, [&](CFrontDialog& dialog) {
            QTest::mouseClick(dialog.findChild<QPushButton*>("Avanzado"), Qt::LeftButton);
            shown = frame.isVisible();
            frame.close();
            hiddenAgain = !frame.isVisible();
            dialogStays = dialog.isVisible();
        });
        QVERIFY(shown);
        QVERIFY(hiddenAgain);
        QVERIFY(dialogStays);
    }

    // Runs last: the application's exit stays in force for later event loops.
    void exitOfTheMainWindowEndsTheProgram() {
        lumisplit::CQtInteraction real;
        bool shown = false, timedOut = false;
        QTimer::singleShot(0, [&] {
            for (QWidget* widget : QApplication::topLevelWidgets())
                if (auto* dialog = qobject_cast<CFrontDialog*>(widget))
                    QTest::mouseClick(dialog->findChild<QPushButton*>("Avanzado"), Qt::LeftButton);
            const auto frames = MainWindows();
            shown = frames.size() == 1 && frames.front()->isVisible();
            if (!frames.isEmpty())
                frames.front()->findChild<QAction*>("2000")->trigger();
        });
        QTimer safety;
        safety.setSingleShot(true);
        connect(&safety, &QTimer::timeout, [&] {
            timedOut = true;
            for (QWidget* widget : QApplication::topLevelWidgets())
                if (auto* dialog = qobject_cast<CFrontDialog*>(widget))
                    dialog->reject();
        });
        safety.start(20000);
        QCOMPARE(CShareApp::InitInstance(real), 0);
        QVERIFY(shown);
        QVERIFY(!timedOut);
    }

private:
    // Runs the front dialog over the frame; steps act on it while it is open.
    // Its script goes first: scripts queued before serve the dialogs it opens.
    void RunFront(CShareFrame& frame, std::function<void(CFrontDialog&)> steps) {
        m_seam->dialogScripts.push_front(
            [&](QDialog& dialog) { steps(static_cast<CFrontDialog&>(dialog)); });
        CFrontDialog dialog;
        dialog.DoModalWithFrame(&frame);
    }

    std::unique_ptr<QTemporaryDir> m_dir;
    std::unique_ptr<ScriptedInteraction> m_seam;
    QString m_previousFolder;
    QString m_secret;
    QString m_smallSecret;
};

QTEST_MAIN(FrontDialogTest)
#include "FrontDialogTest.moc"
