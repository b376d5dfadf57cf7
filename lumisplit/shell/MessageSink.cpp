#include "shell/MessageSink.h"

#include "shell/Interaction.h"

#include <QString>

namespace lumisplit {

CMessageSink::CMessageSink(CInteraction& interaction, QWidget* owner)
    : m_interaction(interaction), m_pOwner(owner), m_scope(*this) {}

void CMessageSink::Report(std::string_view message) {
    m_interaction.ShowMessage(
        m_pOwner, QString::fromUtf8(message.data(), static_cast<qsizetype>(message.size())));
}

} // namespace lumisplit
