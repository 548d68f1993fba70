#include "MeasurementSet.h"

#include <cmath>

namespace tovarin {

bool SameInput(const RunInput& a, const RunInput& b)
{
    const auto same = [](const RowValues& x, const RowValues& y) {
        for (std::size_t i = 0; i < x.size(); ++i)
            if (!(x[i] == y[i] || (std::isnan(x[i]) && std::isnan(y[i]))))
                return false;
        return true;
    };
    return same(a.typedFlow, b.typedFlow) && same(a.typedResponse, b.typedResponse) &&
           a.flowUnit == b.flowUnit && a.responseKind == b.responseKind &&
           a.meterType == b.meterType;
}

void BuildRows(MeasurementSet& set)
{
    for (int i = 0; i < kMaxRows; ++i) {
        const auto row = static_cast<std::size_t>(i);
        // Written as !(a > b) so that an unordered (NaN) comparison ends the table.
        if (i > 0 && !(set.typedFlow[row] > set.typedFlow[row - 1]))
            return;
        set.flowGs[row] = FlowToGs(set.typedFlow[row], set.flowUnit);
        set.response[row] = set.typedResponse[row];
        set.rowCount = i + 1;
    }
}

} // namespace tovarin
