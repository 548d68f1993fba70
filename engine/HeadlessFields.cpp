#include "HeadlessFields.h"

namespace tovarin {

std::string HeadlessFields::GetFieldText(int controlId) const
{
    const auto it = m_texts.find(controlId);
    return it == m_texts.end() ? std::string() : it->second;
}

void HeadlessFields::SetFieldText(int controlId, const std::string& text)
{
    m_texts[controlId] = text;
}

int HeadlessFields::GetListSelection(int listId) const
{
    const auto it = m_selections.find(listId);
    return it == m_selections.end() ? -1 : it->second;
}

} // namespace tovarin
