#pragma once
// King's equation, Response = a + b * flow^c, with the flow in g/s and the
// response in the sensor's unit (volts or hertz).

namespace tovarin {

struct KingCoefficients
{
    double a = 0.0; // response at zero flow
    double b = 0.0;
    double c = 0.0; // exponent
};

// All three coefficients are finite numbers: a curve the outputs can use.
bool AllFinite(const KingCoefficients& k);

// a + b * flow^c, evaluated as pow(flow, c) * b + a.
double KingResponse(double flow, const KingCoefficients& k);

// Flow at which the fitted curve gives `response`. A response at or below the
// curve's offset maps to zero flow; NaN quotients count as "not above".
double KingFlow(double response, const KingCoefficients& k);

} // namespace tovarin
