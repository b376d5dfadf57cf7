#pragma once
// CCoalesceDialog: asks how many layers a Combine stacks (2 to 9). No Cancel
// button and no close box: Escape ends it as cancelled.

#include "shell/UnitDialog.h"

class QLineEdit;

namespace lumisplit {

class CCoalesceDialog final : public CUnitDialog {
    Q_OBJECT
public:
    static constexpr int kMinLayers = 2;
    static constexpr int kMaxLayers = 9;

    CCoalesceDialog(CInteraction& interaction, int layers, QWidget* parent = nullptr);
    void accept() override;

    int m_nLayers;

private:
    QLineEdit* m_pEdit;
};

} // namespace lumisplit
