#pragma once
// Field access without a window: texts and list selections kept in maps.
// Unset fields read as empty text and unset lists as no selection (-1).

#include "FieldAccess.h"

#include <map>

namespace tovarin {

class HeadlessFields : public IFieldAccess
{
  public:
    std::string GetFieldText(int controlId) const override;
    void SetFieldText(int controlId, const std::string& text) override;
    int GetListSelection(int listId) const override;

    void SetListSelection(int listId, int index) { m_selections[listId] = index; }

  private:
    std::map<int, std::string> m_texts;
    std::map<int, int> m_selections;
};

} // namespace tovarin
