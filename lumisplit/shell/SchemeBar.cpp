#include "shell/SchemeBar.h"

#include "basis/BasisPair.h"
#include "shell/Interaction.h"
#include "shell/MinQualSetDialog.h"
#include "shell/ParamDialogs.h"

#include <QAction>
#include <QComboBox>
#include <QIcon>
#include <QSignalBlocker>

// The images are compiled into this static library: register them explicitly,
// the linker would otherwise drop their unreferenced initializer.
static void InitToolbarImages() {
    Q_INIT_RESOURCE(lumisplit);
}

namespace lumisplit {

namespace {

QComboBox* AddSelector(QToolBar& bar, int id, int width, int visibleItems,
                       const QStringList& entries) {
    auto* selector = new QComboBox(&bar);
    selector->setObjectName(QString::number(id));
    selector->setProperty("id", id);
    selector->setEditable(false);
    selector->setFixedWidth(width);
    selector->setMaxVisibleItems(visibleItems);
    selector->addItems(entries);
    if (!entries.isEmpty())
        selector->setCurrentIndex(0);
    bar.addWidget(selector);
    return selector;
}

} // namespace

CSchemeBar::CSchemeBar(CInteraction& interaction, QWidget* parent)
    : QToolBar(parent), m_interaction(interaction) {
    InitToolbarImages();
    setObjectName(QStringLiteral("3000"));
    setMovable(false);
    setFloatable(false);
    setIconSize(QSize(16, 15));

    struct ButtonEntry {
        int id;
        const char* icon;
    };
    for (const ButtonEntry& entry :
         {ButtonEntry{kOpenButton, ":/lumisplit/open.xpm"},
          ButtonEntry{kSaveButton, ":/lumisplit/save.xpm"}, ButtonEntry{0, nullptr},
          ButtonEntry{kEncryptButton, ":/lumisplit/encrypt.xpm"},
          ButtonEntry{kCombineButton, ":/lumisplit/combine.xpm"}}) {
        if (entry.icon == nullptr) {
            addSeparator();
            continue;
        }
        QAction* action = addAction(QIcon(QString::fromLatin1(entry.icon)), QString());
        action->setObjectName(QString::number(entry.id));
        action->setData(entry.id);
    }
    addSeparator();

    // An open list of 120 or 160 pixels shows about six or eight entries.
    m_wndSchemeSelector =
        AddSelector(*this, kSchemeSelectorId, 200, 6,
                    {QStringLiteral("(2,2)-threshold VCS"), QStringLiteral("(2,n)-threshold VCS"),
                     QStringLiteral("(n,n)-threshold VCS"), QStringLiteral("(k,n)-threshold VCS"),
                     QStringLiteral("General Access Structure")});
    m_wndMethodSelector =
        AddSelector(*this, kMethodSelectorId, 270, 8,
                    {QStringLiteral("Random basis column"), QStringLiteral("Pixel sampling"),
                     QStringLiteral("Square subpixel expansion"),
                     QStringLiteral("Smallest square expansion w/ filler"),
                     QStringLiteral("Smallest square expansion w/o filler"),
                     QStringLiteral("Extended VCS: preserve size..."),
                     QStringLiteral("Extended VCS: preserve detail...")});
    m_wndImageSelector = AddSelector(*this, kImageSelectorId, 240, 8, {});

    connect(m_wndSchemeSelector, &QComboBox::activated, this, &CSchemeBar::OnSchemeSelChange);
    connect(m_wndMethodSelector, &QComboBox::activated, this, &CSchemeBar::OnMethodSelChange);
    connect(m_wndImageSelector, &QComboBox::activated, this, &CSchemeBar::ImageSelChanged);
}

CSchemeBar::~CSchemeBar() = default;

QAction& CSchemeBar::Button(int id) const {
    auto* action = findChild<QAction*>(QString::number(id));
    Q_ASSERT(action != nullptr);
    return *action;
}

void CSchemeBar::Revert() {
    const QSignalBlocker quiet(m_wndSchemeSelector);
    m_wndSchemeSelector->setCurrentIndex(m_nScheme);
}

void CSchemeBar::OnSchemeSelChange() {
    const int scheme = m_wndSchemeSelector->currentIndex();
    if (AskParameters(scheme))
        m_nScheme = scheme;
    else
        Revert();
}

bool CSchemeBar::AskParameters(int scheme) {
    QWidget* owner = window();
    switch (scheme) {
    case kScheme22:
        m_nParticipants = 2;
        return true;
    case kScheme2N: {
        C2xNDialog dialog(m_interaction, m_nParticipants, owner);
        if (!m_interaction.RunDialog(dialog))
            return false;
        m_nParticipants = dialog.m_nN;
        m_nThreshold = 2;
        return true;
    }
    case kSchemeNN: {
        CNxNDialog dialog(m_interaction, m_nParticipants, owner);
        if (!m_interaction.RunDialog(dialog))
            return false;
        m_nParticipants = dialog.m_nN;
        m_nThreshold = dialog.m_nN;
        return true;
    }
    case kSchemeKN: {
        CKxNDialog dialog(m_interaction, m_nThreshold, m_nParticipants, owner);
        if (!m_interaction.RunDialog(dialog))
            return false;
        m_nParticipants = dialog.m_nN;
        m_nThreshold = dialog.m_nK;
        return true;
    }
    case kSchemeGeneral: {
        CGenDialog count(m_interaction, m_nParticipants, owner);
        if (!m_interaction.RunDialog(count))
            return false;
        // n is taken at once: a cancelled list keeps it.
        m_nParticipants = count.m_nN;
        CMinQualSetDialog sets(m_interaction, m_nParticipants, owner);
        if (!m_interaction.RunDialog(sets))
            return false;
        m_pQualifiedSets = sets.m_pChosenSets;
        return true;
    }
    default:
        return false;
    }
}

void CSchemeBar::OnMethodSelChange() {
    m_nMethod = m_wndMethodSelector->currentIndex();
}

} // namespace lumisplit
