#include "shell/ParamDialogs.h"

#include "basis/BasisPair.h"

#include <QLineEdit>

namespace lumisplit {

namespace {
constexpr int kEditK = 3020;
constexpr int kEditN = 3021;
const char* const kAskK = "Enter the qualified set threshold, k =";
const char* const kAskN = "Enter the number of participants, n =";
} // namespace

CKxNDialog::CKxNDialog(CInteraction& interaction, int k, int n, QWidget* parent)
    : CUnitDialog(interaction, QStringLiteral("(k,n)-threshold Visual Cryptography Scheme"), 200,
                  80, parent),
      m_nK(k), m_nN(n) {
    setObjectName(QStringLiteral("KXNVCS"));
    AddStatic(kAskK, 30, 15, 115, 8);
    m_pEditK = AddEdit(kEditK, k, 147, 13, 20, 12);
    AddStatic(kAskN, 30, 35, 115, 8);
    m_pEditN = AddEdit(kEditN, n, 147, 33, 20, 12);
    AddOk(70, 60, 60, 15);
}

void CKxNDialog::accept() {
    const auto n = ReadInt(*m_pEditN, kMinParticipants, kMaxParticipants);
    if (!n)
        return;
    const auto k = ReadInt(*m_pEditK, kMinParticipants, *n);
    if (!k)
        return;
    m_nN = *n;
    m_nK = *k;
    CUnitDialog::accept();
}

CParticipantsDialog::CParticipantsDialog(CInteraction& interaction, const QString& title,
                                         const QString& name, int n, QWidget* parent)
    : CUnitDialog(interaction, title, 200, 60, parent), m_nN(n) {
    setObjectName(name);
    AddStatic(kAskN, 30, 15, 115, 8);
    m_pEditN = AddEdit(kEditN, n, 147, 13, 20, 12);
    AddOk(70, 40, 60, 15);
}

void CParticipantsDialog::accept() {
    const auto n = ReadInt(*m_pEditN, kMinParticipants, kMaxParticipants);
    if (!n)
        return;
    m_nN = *n;
    CUnitDialog::accept();
}

CNxNDialog::CNxNDialog(CInteraction& interaction, int n, QWidget* parent)
    : CParticipantsDialog(interaction, QStringLiteral("(n,n)-threshold Visual Cryptography Scheme"),
                          QStringLiteral("NXNVCS"), n, parent) {}

C2xNDialog::C2xNDialog(CInteraction& interaction, int n, QWidget* parent)
    : CParticipantsDialog(interaction, QStringLiteral("(2,n)-threshold Visual Cryptography Scheme"),
                          QStringLiteral("2XNVCS"), n, parent) {}

CGenDialog::CGenDialog(CInteraction& interaction, int n, QWidget* parent)
    : CParticipantsDialog(interaction, QStringLiteral("General Access Structure VCS"),
                          QStringLiteral("GENVCS"), n, parent) {}

} // namespace lumisplit
