// Choosing the access structure: the parameter dialogs, their checks, the
// subset list, the revert of the selector; and the Combine count dialog.

#include "GuiWorkspace.h"
#include "shell/CoalesceDialog.h"
#include "shell/MinQualSetDialog.h"
#include "shell/ParamDialogs.h"
#include "shell/SchemeBar.h"

#include <QComboBox>
#include <QLineEdit>
#include <QListWidget>
#include <QSignalSpy>
#include <QTest>

using namespace lumisplit;
using namespace lumisplit::test;

namespace {

using Script = ScriptedInteraction::DialogScript;

// Fills the edits and presses OK; a dialog that refuses stays open with the
// focus on the offending edit, which is noted before Escape ends it.
Script RefuseThenEscape(std::vector<std::pair<QString, QString>> edits, QString* focused) {
    return [edits = std::move(edits), focused](QDialog& dialog) {
        FillAndOk(edits)(dialog);
        if (!dialog.isVisible())
            return; // accepted
        if (dialog.focusWidget() != nullptr)
            *focused = dialog.focusWidget()->objectName();
        PressEscape(dialog);
    };
}

Script SelectLines(std::vector<int> lines) {
    return [lines = std::move(lines)](QDialog& dialog) {
        auto* list = dialog.findChild<QListWidget*>("3102");
        for (int line : lines)
            list->item(line)->setSelected(true);
        PressOk(dialog);
    };
}

struct State {
    int scheme, n, k;
};

} // namespace

Q_DECLARE_METATYPE(Script)
Q_DECLARE_METATYPE(std::vector<std::vector<int>>)

class DialogTest : public QObject {
    Q_OBJECT
private slots:
    void schemeSelection_data();
    void schemeSelection();
    void parameterRefusals_data();
    void parameterRefusals();
    void generalStructure_data();
    void generalStructure();
    void subsetList_data();
    void subsetList();
    void methodSelectionChangesOnlyTheMethod();
    void coalesceCount_data();
    void coalesceCount();
    void editsTakeDigitsOnly();
};

void DialogTest::schemeSelection_data() {
    QTest::addColumn<int>("entry");
    QTest::addColumn<QList<Script>>("scripts");
    QTest::addColumn<QString>("title"); // of the dialog, empty when none opens
    QTest::addColumn<int>("scheme");
    QTest::addColumn<int>("n");
    QTest::addColumn<int>("k");
    // Before each row: scheme 3 with n = 7 and k = 5.
    QTest::newRow("(2,2) without a dialog, k stays")
        << 0 << QList<Script>{} << QString() << 0 << 2 << 5;
    QTest::newRow("(2,n) OK") << 1 << QList<Script>{FillAndOk({{"3021", "6"}})}
                              << "(2,n)-threshold Visual Cryptography Scheme" << 1 << 6 << 2;
    QTest::newRow("(2,n) Escape reverts")
        << 1 << QList<Script>{PressEscape} << "(2,n)-threshold Visual Cryptography Scheme" << 3 << 7
        << 5;
    QTest::newRow("(n,n) OK sets k to n")
        << 2 << QList<Script>{FillAndOk({{"3021", "4"}})}
        << "(n,n)-threshold Visual Cryptography Scheme" << 2 << 4 << 4;
    QTest::newRow("(n,n) Escape reverts")
        << 2 << QList<Script>{PressEscape} << "(n,n)-threshold Visual Cryptography Scheme" << 3 << 7
        << 5;
    QTest::newRow("(k,n) OK") << 3 << QList<Script>{FillAndOk({{"3020", "3"}, {"3021", "9"}})}
                              << "(k,n)-threshold Visual Cryptography Scheme" << 3 << 9 << 3;
    QTest::newRow("general, Escape on n reverts")
        << 4 << QList<Script>{PressEscape} << "General Access Structure VCS" << 3 << 7 << 5;
}

void DialogTest::schemeSelection() {
    QFETCH(int, entry);
    QFETCH(QList<Script>, scripts);
    QFETCH(QString, title);
    QFETCH(int, scheme);
    QFETCH(int, n);
    QFETCH(int, k);
    GuiWorkspace ws;
    CSchemeBar& bar = ws.frame.SchemeBar();
    bar.m_nScheme = 3;
    bar.m_nParticipants = 7;
    bar.m_nThreshold = 5;
    bar.SchemeSelector().setCurrentIndex(3);
    QStringList proposed;
    for (const Script& script : scripts)
        ws.ui.dialogScripts.push_back([&proposed, script](QDialog& dialog) {
            for (auto* edit : dialog.findChildren<QLineEdit*>())
                proposed << edit->objectName() + "=" + edit->text();
            script(dialog);
        });

    QSignalSpy changes(&bar.SchemeSelector(), &QComboBox::currentIndexChanged);
    bar.SchemeSelector().setCurrentIndex(entry);
    emit bar.SchemeSelector().activated(entry);

    QCOMPARE(ws.ui.dialogTitles, title.isEmpty() ? QStringList{} : QStringList{title});
    if (!scripts.isEmpty()) // the dialog proposes the current values
        QVERIFY(proposed.contains("3021=7"));
    if (entry == 3)
        QVERIFY(proposed.contains("3020=5"));
    QCOMPARE(bar.m_nScheme, scheme);
    QCOMPARE(bar.m_nParticipants, n);
    QCOMPARE(bar.m_nThreshold, k);
    QCOMPARE(bar.SchemeSelector().currentIndex(), scheme);
    // A revert puts the old entry back without another change notice.
    QCOMPARE(changes.count(), entry == 3 ? 0 : 1);
    QVERIFY(ws.ui.messages.empty());
}

void DialogTest::parameterRefusals_data() {
    QTest::addColumn<int>("entry");
    QTest::addColumn<QString>("k");
    QTest::addColumn<QString>("n");
    QTest::addColumn<QString>("message");
    QTest::addColumn<QString>("focused");
    QTest::newRow("(k,n) k above n") << 3 << "5"
                                     << "4"
                                     << "Please enter an integer between 2 and 4."
                                     << "3020";
    QTest::newRow("(k,n) n checked before k") << 3 << "5"
                                              << "10"
                                              << "Please enter an integer between 2 and 9."
                                              << "3021";
    QTest::newRow("(k,n) k below 2") << 3 << "1"
                                     << "4"
                                     << "Please enter an integer between 2 and 4."
                                     << "3020";
    QTest::newRow("(k,n) empty k") << 3 << ""
                                   << "4"
                                   << "Please enter an integer."
                                   << "3020";
    QTest::newRow("(2,n) n of 1") << 1 << QString() << "1"
                                  << "Please enter an integer between 2 and 9."
                                  << "3021";
    QTest::newRow("(n,n) not a number") << 2 << QString() << "x"
                                        << "Please enter an integer."
                                        << "3021";
    QTest::newRow("general n of 10") << 4 << QString() << "10"
                                     << "Please enter an integer between 2 and 9."
                                     << "3021";
}

void DialogTest::parameterRefusals() {
    QFETCH(int, entry);
    QFETCH(QString, k);
    QFETCH(QString, n);
    QFETCH(QString, message);
    QFETCH(QString, focused);
    GuiWorkspace ws;
    CSchemeBar& bar = ws.frame.SchemeBar();
    std::vector<std::pair<QString, QString>> edits{{"3021", n}};
    if (!k.isNull())
        edits.emplace_back("3020", k);
    QString focusedId;
    ws.ui.dialogScripts.push_back(RefuseThenEscape(edits, &focusedId));
    bar.SchemeSelector().setCurrentIndex(entry);
    emit bar.SchemeSelector().activated(entry);

    QCOMPARE(ws.ui.messages.size(), std::size_t{1});
    QCOMPARE(ws.ui.messages[0].text, message);
    QCOMPARE(focusedId, focused);
    QCOMPARE(ws.ui.dialogTitles.size(), 1); // the list dialog never opened
    QCOMPARE(bar.m_nScheme, 0);
    QCOMPARE(bar.m_nParticipants, 2);
    QCOMPARE(bar.m_nThreshold, 2);
    QCOMPARE(bar.SchemeSelector().currentIndex(), 0);
}

void DialogTest::generalStructure_data() {
    QTest::addColumn<QString>("n");
    QTest::addColumn<Script>("listScript");
    QTest::addColumn<int>("scheme");
    QTest::addColumn<int>("participants");
    QTest::addColumn<std::vector<std::vector<int>>>("table"); // empty: none set
    QTest::newRow("n=3, first and third lines")
        << "3" << SelectLines({0, 2}) << 4 << 3
        << std::vector<std::vector<int>>{{1, 1, 0}, {0, 1, 1}};
    QTest::newRow("OK without a selection gives an empty table")
        << "4" << SelectLines({}) << 4 << 4 << std::vector<std::vector<int>>{};
    QTest::newRow("Escape on the list keeps the new n")
        << "5" << Script(PressEscape) << 0 << 5 << std::vector<std::vector<int>>{};
}

void DialogTest::generalStructure() {
    QFETCH(QString, n);
    QFETCH(Script, listScript);
    QFETCH(int, scheme);
    QFETCH(int, participants);
    QFETCH(std::vector<std::vector<int>>, table);
    GuiWorkspace ws;
    CSchemeBar& bar = ws.frame.SchemeBar();
    ws.ui.dialogScripts = {FillAndOk({{"3021", n}}), listScript};
    bar.SchemeSelector().setCurrentIndex(4);
    emit bar.SchemeSelector().activated(4);

    QCOMPARE(ws.ui.dialogTitles,
             (QStringList{"General Access Structure VCS", "Choose the Minimal Qualified Sets"}));
    QCOMPARE(bar.m_nScheme, scheme);
    QCOMPARE(bar.SchemeSelector().currentIndex(), scheme);
    QCOMPARE(bar.m_nParticipants, participants);
    if (scheme != 4) {
        QVERIFY(!bar.m_pQualifiedSets.has_value());
        return;
    }
    QVERIFY(bar.m_pQualifiedSets.has_value());
    const CMatrix& sets = *bar.m_pQualifiedSets;
    QCOMPARE(sets.GetRows(), static_cast<int>(table.size()));
    QCOMPARE(sets.GetCols(), participants);
    for (int r = 0; r < sets.GetRows(); ++r)
        for (int c = 0; c < participants; ++c)
            QCOMPARE(sets.GetAt(r, c), table[r][c]);
}

void DialogTest::subsetList_data() {
    QTest::addColumn<int>("n");
    QTest::addColumn<QStringList>("lines");
    QTest::addColumn<int>("count");
    QTest::newRow("n=2") << 2 << QStringList{"1 2 "} << 1;
    QTest::newRow("n=3") << 3 << QStringList{"1 2 ", "1 3 ", "2 3 ", "1 2 3 "} << 4;
    QTest::newRow("n=4") << 4
                         << QStringList{"1 2 ",   "1 3 ", "2 3 ",   "1 2 3 ", "1 4 ",    "2 4 ",
                                        "1 2 4 ", "3 4 ", "1 3 4 ", "2 3 4 ", "1 2 3 4 "}
                         << 11;
    QTest::newRow("n=9") << 9 << QStringList{} << 502;
}

void DialogTest::subsetList() {
    QFETCH(int, n);
    QFETCH(QStringList, lines);
    QFETCH(int, count);
    ScriptedInteraction ui;
    CMinQualSetDialog dialog(ui, n);
    QListWidget& list = dialog.SubsetList();
    QCOMPARE(list.count(), count);
    QCOMPARE(list.selectionMode(), QAbstractItemView::MultiSelection);
    QCOMPARE(dialog.m_pListedSets.GetRows(), count);
    for (int i = 0; i < count; ++i) {
        if (!lines.isEmpty())
            QCOMPARE(list.item(i)->text(), lines[i]);
        // Row i of the table is the membership of line i.
        QString fromTable;
        for (int j = 0; j < n; ++j)
            if (dialog.m_pListedSets.GetAt(i, j) != 0)
                fromTable += QString("%1 ").arg(j + 1);
        QCOMPARE(fromTable, list.item(i)->text());
    }
}

void DialogTest::methodSelectionChangesOnlyTheMethod() {
    GuiWorkspace ws;
    CSchemeBar& bar = ws.frame.SchemeBar();
    bar.MethodSelector().setCurrentIndex(6);
    emit bar.MethodSelector().activated(6);
    QCOMPARE(bar.m_nMethod, 6);
    QCOMPARE(bar.m_nScheme, 0);
    QCOMPARE(bar.SchemeSelector().currentIndex(), 0);
    QVERIFY(ws.ui.dialogTitles.empty());
}

void DialogTest::coalesceCount_data() {
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("message"); // empty: accepted
    QTest::newRow("9 accepted") << "9" << QString();
    QTest::newRow("2 accepted") << "2" << QString();
    QTest::newRow("1 refused") << "1"
                               << "Please enter an integer between 2 and 9.";
    QTest::newRow("10 refused") << "10"
                                << "Please enter an integer between 2 and 9.";
    QTest::newRow("empty refused") << ""
                                   << "Please enter an integer.";
}

void DialogTest::coalesceCount() {
    QFETCH(QString, typed);
    QFETCH(QString, message);
    ScriptedInteraction ui;
    CCoalesceDialog dialog(ui, 4);
    QString focusedId;
    ui.dialogScripts.push_back(RefuseThenEscape({{"2021", typed}}, &focusedId));
    const bool accepted = ui.RunDialog(dialog);

    QCOMPARE(accepted, message.isEmpty());
    if (accepted) {
        QCOMPARE(dialog.m_nLayers, typed.toInt());
        QVERIFY(ui.messages.empty());
        return;
    }
    QCOMPARE(ui.messages.size(), std::size_t{1});
    QCOMPARE(ui.messages[0].text, message);
    QCOMPARE(focusedId, QString("2021"));
    QCOMPARE(dialog.m_nLayers, 4);
}

void DialogTest::editsTakeDigitsOnly() {
    ScriptedInteraction ui;
    CKxNDialog kxn(ui, 2, 3);
    CNxNDialog nxn(ui, 3);
    C2xNDialog twoxn(ui, 3);
    CGenDialog gen(ui, 3);
    CCoalesceDialog coalesce(ui, 3);
    int edits = 0;
    for (QDialog* dialog : std::initializer_list<QDialog*>{&kxn, &nxn, &twoxn, &gen, &coalesce}) {
        for (auto* edit : dialog->findChildren<QLineEdit*>()) {
            edit->clear();
            QTest::keyClicks(edit, "a1-b2 ");
            QCOMPARE(edit->text(), QString("12"));
            ++edits;
        }
    }
    QCOMPARE(edits, 6);
}

QTEST_MAIN(DialogTest)
#include "DialogTest.moc"
