#include "shell/MinQualSetDialog.h"

#include <QLabel>
#include <QListWidget>
#include <vector>

namespace lumisplit {

CMinQualSetDialog::CMinQualSetDialog(CInteraction& interaction, int n, QWidget* parent)
    : CUnitDialog(interaction, QStringLiteral("Choose the Minimal Qualified Sets"), 180, 200,
                  parent),
      m_nN(n), m_pListedSets(0, n), m_pChosenSets(0, n) {
    setObjectName(QStringLiteral("MINQUALSET"));
    m_pList = new QListWidget(this);
    m_pList->setObjectName(QStringLiteral("3102"));
    m_pList->setSelectionMode(QAbstractItemView::MultiSelection);
    m_pList->setSortingEnabled(false);
    m_pList->setFocusPolicy(Qt::ClickFocus);
    m_pList->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    m_pList->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    m_pList->setGeometry(DialogUnits(10, 10, 90, 190));
    AddOk(110, 50, 50, 15);
    auto* text = AddStatic(
        QStringLiteral("Select each set of participants that comprises a minimal qualified \nset "
                       "from the possible sets of participants in the list box.  When \ndone, "
                       "choose 'OK'."),
        108, 80, 64, 80);
    text->setObjectName(QStringLiteral("101"));
    text->setWordWrap(true);
    FillSubsetList();
}

void CMinQualSetDialog::FillSubsetList() {
    std::vector<int> members(static_cast<std::size_t>(m_nN));
    for (int code = 3; code < (1 << m_nN); ++code) {
        QString line;
        int count = 0;
        for (int j = 0; j < m_nN; ++j) {
            members[static_cast<std::size_t>(j)] = (code >> j) & 1;
            if (members[static_cast<std::size_t>(j)] != 0) {
                line += QChar('1' + j);
                line += QLatin1Char(' ');
                ++count;
            }
        }
        if (count < 2)
            continue;
        m_pListedSets.InsertRow(m_pListedSets.GetRows(), members.data());
        m_pList->addItem(line);
    }
}

void CMinQualSetDialog::accept() {
    m_pChosenSets = CMatrix(0, m_nN);
    for (int row = 0; row < m_pList->count(); ++row) {
        if (!m_pList->item(row)->isSelected())
            continue;
        std::vector<int> members(static_cast<std::size_t>(m_nN));
        for (int j = 0; j < m_nN; ++j)
            members[static_cast<std::size_t>(j)] = m_pListedSets.GetAt(row, j);
        m_pChosenSets.InsertRow(m_pChosenSets.GetRows(), members.data());
    }
    CUnitDialog::accept();
}

} // namespace lumisplit
