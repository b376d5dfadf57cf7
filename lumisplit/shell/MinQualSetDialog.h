#pragma once
// CMinQualSetDialog: the list of every group of at least two of n participants
// (in increasing subset code) from which the user picks the minimal qualified
// sets of a general access structure.

#include "basis/Matrix.h"
#include "shell/UnitDialog.h"

class QListWidget;

namespace lumisplit {

class CMinQualSetDialog final : public CUnitDialog {
    Q_OBJECT
public:
    CMinQualSetDialog(CInteraction& interaction, int n, QWidget* parent = nullptr);
    void accept() override; // takes the selected lines, in list order; none is allowed

    QListWidget& SubsetList() const { return *m_pList; }

    int m_nN;
    CMatrix m_pListedSets; // row i: the 0/1 membership of list line i
    CMatrix m_pChosenSets; // the selected rows, once accepted

private:
    void FillSubsetList();

    QListWidget* m_pList;
};

} // namespace lumisplit
