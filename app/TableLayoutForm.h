#pragma once
// "Table layout..." in the status strip: where the table's breakpoints lie
// (evenly spaced by Number of Points, an explicit list, or N placed on the
// fit) and its file format, with the interpolation error the choice achieves
// on the last fit shown as it changes. Remembered between starts in the
// user's own Qt settings; the word type, scale, byte split and axis file
// stay options of the command.

#include "TableLayout.h"

#include <functional>
#include <optional>
#include <string>

class QWidget;

namespace tovarin {

// The remembered layout, or evenly spaced DW lines where none is.
TableLayout RememberedTableLayout();

// What a layout achieves, for the form's line.
using LayoutDescriber = std::function<std::string(const TableLayout&)>;

// The form, filled with `current`; empty on Cancel. A list that is no
// ascending list of numbers is said and the form stays open. The answer is
// remembered.
std::optional<TableLayout> AskTableLayout(QWidget* owner, const TableLayout& current,
                                          const LayoutDescriber& describe);

} // namespace tovarin
