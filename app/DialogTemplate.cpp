#include "DialogTemplate.h"

#include "ControlIds.h"

#include <algorithm>

namespace tovarin {
namespace {

constexpr int kGridTop = 82; // row 0; rows are 14 units apart
constexpr int kCellWidth = 45;
constexpr int kCellHeight = 14;

int RowY(std::size_t row)
{
    return kGridTop + 14 * static_cast<int>(row);
}

std::vector<ControlTemplate> BuildControls()
{
    using K = ControlKind;
    std::vector<ControlTemplate> c;
    // Frames and labels are not tab stops; their place in the list only sets
    // the painting order.
    c.push_back({0, K::Frame, 7, 8, 570, 41, "Mass Air Flow Meter Type"});
    c.push_back({0, K::Frame, 7, 51, 139, 315, "Measurement"});
    c.push_back({0, K::Frame, 152, 51, 176, 315, "Least-Squares Fit"});
    c.push_back({0, K::Label, 175, 69, 32, 8, "MAFl(g/s)"});
    c.push_back({0, K::Label, 227, 69, 27, 8, "Fit Resp"});
    c.push_back({0, K::Label, 276, 69, 21, 8, "%Error"});
    c.push_back({0, K::Frame, 333, 51, 244, 44, kCoefficientsCaption});
    c.push_back({0, K::Label, 372, 61, 8, 8, "A"});
    c.push_back({0, K::Label, 452, 61, 8, 8, "B"});
    c.push_back({0, K::Label, 527, 60, 8, 8, "C"});
    c.push_back({0, K::Frame, 334, 97, 243, 135, ""});
    c.push_back({0, K::Frame, 334, 231, 243, 135, ""});
    c.push_back({0, K::Frame, 7, 366, 570, 44, "Output File Generation Configuration Parameters"});
    c.push_back({0, K::Label, 63, 375, 46, 8, "Response Min"});
    c.push_back({0, K::Label, 179, 375, 48, 8, "Response Max"});
    c.push_back({0, K::Label, 339, 375, 55, 8, "Number of Points"});
    c.push_back({0, K::Label, 470, 375, 57, 8, "Output Flow Units"});
    c.push_back({0, K::Frame, 7, 412, 570, 36, "Program Execution Controls"});

    // Tab stops in template order.
    for (std::size_t row = 0; row < kRowControls.size(); ++row) {
        c.push_back({kRowControls[row].flow, K::Edit, 29, RowY(row), kCellWidth, kCellHeight, ""});
        c.push_back(
            {kRowControls[row].response, K::Edit, 84, RowY(row), kCellWidth, kCellHeight, ""});
    }
    c.push_back({kRunTestId, K::Button, 39, 426, 105, 14, "Run Test"});
    c.push_back({kExitId, K::Button, 465, 427, 83, 14, "Exit"});
    c.push_back({kFlowUnitListId, K::List, 30, 64, 46, 87, ""});
    c.push_back({kResponseKindListId, K::List, 84, 64, 46, 87, ""});
    for (std::size_t row = 0; row < kRowControls.size(); ++row)
        c.push_back(
            {kRowControls[row].maf, K::ReadOnly, 168, RowY(row), kCellWidth, kCellHeight, ""});
    for (std::size_t row = 0; row < kRowControls.size(); ++row)
        c.push_back(
            {kRowControls[row].fit, K::ReadOnly, 218, RowY(row), kCellWidth, kCellHeight, ""});
    c.push_back({kCoefficientAId, K::ReadOnly, 352, 72, 45, 14, ""});
    c.push_back({kCoefficientBId, K::ReadOnly, 432, 72, 45, 14, ""});
    c.push_back({kCoefficientCId, K::ReadOnly, 507, 72, 45, 14, ""});
    c.push_back({kResponseMinId, K::Edit, 63, 388, 45, 14, ""});
    c.push_back({kResponseMaxId, K::Edit, 180, 388, 45, 14, ""});
    c.push_back({kPointCountId, K::Edit, 343, 388, 45, 14, ""});
    c.push_back({kOutputUnitListId, K::List, 472, 389, 54, 87, ""});
    c.push_back({kGenerateOutputFileId, K::Button, 188, 426, 75, 14, "Generate Output File"});
    c.push_back({kMeterTypeId, K::Edit, 16, 24, 545, 14, ""});
    c.push_back({kGenerateHtmlInfoId, K::Button, 327, 427, 75, 14, "Generate HTML Info"});
    for (std::size_t row = 0; row < kRowControls.size(); ++row)
        c.push_back(
            {kRowControls[row].errorPct, K::ReadOnly, 268, RowY(row), kCellWidth, kCellHeight, ""});
    return c;
}

} // namespace

const std::vector<ControlTemplate>& DialogControls()
{
    static const std::vector<ControlTemplate> controls = BuildControls();
    return controls;
}

IconPosition MinimisedIconPosition(int clientWidth, int clientHeight, int iconWidth, int iconHeight)
{
    // C++ division truncates toward zero: a client one pixel narrower than
    // the icon gives 0, not -1.
    return {(clientWidth - iconWidth + 1) / 2, (clientHeight - iconHeight + 1) / 2};
}

PixelSize DialogSizeFor(PixelSize content, PixelSize available)
{
    const int roomWide = available.width - kWindowFrameAllowance / 4; // frame edges only
    const int roomHigh = available.height - kWindowFrameAllowance;
    if (content.width <= roomWide && content.height <= roomHigh)
        return content;
    // A scroll bar of the other direction needs room too, where the screen has it.
    const bool cutHigh = content.height > roomHigh, cutWide = content.width > roomWide;
    return {std::min(content.width + (cutHigh ? kScrollBarAllowance : 0), roomWide),
            std::min(content.height + (cutWide ? kScrollBarAllowance : 0), roomHigh)};
}

} // namespace tovarin
