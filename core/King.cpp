#include "King.h"

#include <cmath>

namespace tovarin {

bool AllFinite(const KingCoefficients& k)
{
    return std::isfinite(k.a) && std::isfinite(k.b) && std::isfinite(k.c);
}

double KingResponse(double flow, const KingCoefficients& k)
{
    return std::pow(flow, k.c) * k.b + k.a;
}

double KingFlow(double response, const KingCoefficients& k)
{
    double q = (response - k.a) / k.b;
    if (!(q > 0.0))
        q = 0.0;
    return std::pow(q, 1.0 / k.c);
}

} // namespace tovarin
