#pragma once
// The three window operations through which the run reads and writes the
// screen. The main window implements them over its controls; HeadlessFields
// implements them over plain maps for the command-line tool and the tests.

#include <string>

namespace tovarin {

class IFieldAccess
{
  public:
    virtual ~IFieldAccess() = default;
    // The field's whole current text.
    virtual std::string GetFieldText(int controlId) const = 0;
    // The field shows exactly `text` afterwards.
    virtual void SetFieldText(int controlId, const std::string& text) = 0;
    // Index of the list's selected entry, -1 when none.
    virtual int GetListSelection(int listId) const = 0;
};

} // namespace tovarin
