#include "shell/CoalesceDialog.h"

#include <QLineEdit>

namespace lumisplit {

CCoalesceDialog::CCoalesceDialog(CInteraction& interaction, int layers, QWidget* parent)
    : CUnitDialog(interaction, QString(), 111, 55, parent), m_nLayers(layers) {
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint);
    setObjectName(QStringLiteral("COALESCE"));
    AddStatic(QStringLiteral("¿Cuantas capas vas a combinar?"), 5, 5, 105, 8);
    m_pEdit = AddEdit(2021, layers, 50, 20, 10, 12);
    AddOk(45, 40, 20, 10);
}

void CCoalesceDialog::accept() {
    const auto layers = ReadInt(*m_pEdit, kMinLayers, kMaxLayers);
    if (!layers)
        return;
    m_nLayers = *layers;
    CUnitDialog::accept();
}

} // namespace lumisplit
