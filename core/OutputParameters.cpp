#include "OutputParameters.h"

namespace tovarin {

OutputParameters StartupOutputParameters(const std::optional<ResponseKind>& responseKind,
                                         OutputParameters given)
{
    if (responseKind) {
        given.responseMin = 0.0;
        given.responseMax = InfoOf(*responseKind).outputMax;
    }
    given.pointCount = kDefaultPointCount;
    return given;
}

} // namespace tovarin
