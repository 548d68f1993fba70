#pragma once
// The main window's controls in dialog units, in template (and so tab) order.
// One horizontal unit is 1.5 pixels and one vertical unit 1.625 pixels, the
// scale at which each uncaptioned frame encloses its chart.

#include <string>
#include <vector>

namespace tovarin {

enum class ControlKind
{
    Frame,
    Label,
    Edit,
    ReadOnly,
    List,
    Button
};

struct ControlTemplate
{
    int id; // 0 for frames and labels
    ControlKind kind;
    int x, y, width, height; // dialog units
    std::string text;        // caption, label or button text
};

// The caption of the frame around the coefficient fields; the window renames
// it after a run of another model.
inline constexpr const char* kCoefficientsCaption = "King Coefficients";

inline constexpr double kPixelsPerUnitX = 1.5;
inline constexpr double kPixelsPerUnitY = 1.625;
inline constexpr int kDialogUnitsWide = 584;
inline constexpr int kDialogUnitsHigh = 455;

struct PixelSize
{
    int width = 0, height = 0;
    bool operator==(const PixelSize&) const = default;
};

// What a window manager's title bar and frame take of a screen, and what a
// scroll bar takes of the window, in pixels.
inline constexpr int kWindowFrameAllowance = 40;
inline constexpr int kScrollBarAllowance = 20;

// The dialog's size on a screen whose available area is `available`: the
// content's own size where it fits beside the title bar and frame; else as
// much of the screen as it can take, the content scrolling inside it.
PixelSize DialogSizeFor(PixelSize content, PixelSize available);

// Every control of the window, in template order (which is the tab order).
const std::vector<ControlTemplate>& DialogControls();

// Top-left pixel of the minimised window's icon: the icon centred in the
// client area, the division truncating toward zero.
struct IconPosition
{
    int x, y;
};
IconPosition MinimisedIconPosition(int clientWidth, int clientHeight, int iconWidth,
                                   int iconHeight);

} // namespace tovarin
