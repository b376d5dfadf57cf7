#pragma once
// The dialogs that ask for the threshold k and the number of participants n.
// Each proposes the values it is built with and keeps them in m_nK / m_nN when
// it is accepted; OK checks n (2 to 9) before k (2 to n).

#include "shell/UnitDialog.h"

class QLineEdit;

namespace lumisplit {

class CKxNDialog final : public CUnitDialog {
    Q_OBJECT
public:
    CKxNDialog(CInteraction& interaction, int k, int n, QWidget* parent = nullptr);
    void accept() override;

    int m_nK;
    int m_nN;

private:
    QLineEdit* m_pEditK;
    QLineEdit* m_pEditN;
};

// The one-edit dialogs for n: the (n,n), (2,n) and general structures.
class CParticipantsDialog : public CUnitDialog {
    Q_OBJECT
public:
    void accept() override;

    int m_nN;

protected:
    // name: the object name, after the dialog's template.
    CParticipantsDialog(CInteraction& interaction, const QString& title, const QString& name, int n,
                        QWidget* parent);

private:
    QLineEdit* m_pEditN;
};

class CNxNDialog final : public CParticipantsDialog {
    Q_OBJECT
public:
    CNxNDialog(CInteraction& interaction, int n, QWidget* parent = nullptr);
};

class C2xNDialog final : public CParticipantsDialog {
    Q_OBJECT
public:
    C2xNDialog(CInteraction& interaction, int n, QWidget* parent = nullptr);
};

class CGenDialog final : public CParticipantsDialog {
    Q_OBJECT
public:
    CGenDialog(CInteraction& interaction, int n, QWidget* parent = nullptr);
};

} // namespace lumisplit
