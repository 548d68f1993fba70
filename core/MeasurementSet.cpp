#include "MeasurementSet.h"

namespace tovarin {

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
