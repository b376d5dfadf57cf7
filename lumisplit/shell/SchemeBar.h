#pragma once
// CSchemeBar: the main window's toolbar. Four command buttons and the three
// selectors (access structure, share-construction method, image); it holds the
// selection state that the next Encrypt command uses.

#include "basis/Matrix.h"

#include <QToolBar>
#include <optional>

class QAction;
class QComboBox;

namespace lumisplit {

class CInteraction;

class CSchemeBar : public QToolBar {
    Q_OBJECT
public:
    // Command and control ids, also the object names of the actions and selectors.
    static constexpr int kOpenButton = 3002;
    static constexpr int kSaveButton = 3003;
    static constexpr int kEncryptButton = 3005;
    static constexpr int kCombineButton = 3006;
    static constexpr int kSchemeSelectorId = 3010;
    static constexpr int kMethodSelectorId = 3011;
    static constexpr int kImageSelectorId = 3012;

    CSchemeBar(CInteraction& interaction, QWidget* parent);
    ~CSchemeBar() override;

    QAction& Button(int id) const;
    QComboBox& SchemeSelector() const { return *m_wndSchemeSelector; }
    QComboBox& MethodSelector() const { return *m_wndMethodSelector; }
    QComboBox& ImageSelector() const { return *m_wndImageSelector; }

    // Asks for the chosen structure's parameters; a cancelled dialog reverts the selector.
    void OnSchemeSelChange();
    void OnMethodSelChange();

    // The selection state.
    int m_nScheme = 0;
    int m_nMethod = 0;
    int m_nParticipants = 2;
    int m_nThreshold = 2;
    std::optional<CMatrix> m_pQualifiedSets; // unset until a general structure is confirmed

signals:
    void ImageSelChanged(); // the user picked another image

private:
    // Runs the structure's dialogs and keeps what they answer; false when one is cancelled.
    bool AskParameters(int scheme);
    void Revert();

    CInteraction& m_interaction;
    QComboBox* m_wndImageSelector = nullptr;
    QComboBox* m_wndSchemeSelector = nullptr;
    QComboBox* m_wndMethodSelector = nullptr;
};

} // namespace lumisplit
