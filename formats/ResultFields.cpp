#include "ResultFields.h"

#include "ModelText.h"
#include "NumberText.h"

#include <algorithm>

namespace tovarin {

std::array<double, 3> ShownCoefficients(const Reduction& run)
{
    if (run.model.kind == ModelKind::King)
        return {run.coefficients.a, run.coefficients.b, run.coefficients.c};
    std::vector<double> values;
    for (const ModelParameter& p : ModelParameters(run.model))
        values.insert(values.end(), p.values.begin(), p.values.end());
    values.resize(std::max<std::size_t>(values.size(), 3), 0.0);
    return {values[0], values[1], values[2]};
}

ResultFieldTexts FormatResultFields(const Reduction& run)
{
    ResultFieldTexts texts;
    if (!run.outcome.fitted)
        return texts;
    const MeasurementSet& set = run.set;
    for (std::size_t row = 0; row < static_cast<std::size_t>(set.rowCount); ++row) {
        const double fitted = set.fittedResponse[row];
        // Relative to the fitted response: positive when the point lies above the curve.
        texts.rows[row] = {FormatFixed(set.flowGs[row], 4, 2), FormatFixed(fitted, 4, 2),
                           FormatFixed(PercentError(set.response[row], fitted), 4, 2)};
    }
    const std::array<double, 3> shown = ShownCoefficients(run);
    texts.a = FormatFixed(shown[0], 4, 3);
    texts.b = FormatFixed(shown[1], 4, 3);
    texts.c = FormatFixed(shown[2], 4, 3);
    return texts;
}

std::string RunLogBlock(const Reduction& run)
{
    constexpr const char* kEndLine =
        "***************************** END OF RUN ***************************\n\n";
    if (!run.outcome.fitted)
        return kEndLine;
    const MeasurementSet& set = run.set;
    const KingCoefficients& k = run.coefficients;
    std::string text = run.outcome.mode == FitMode::Linear
                           ? "\n\n~~~~ USING LINEAR MODE ~~~~\n"
                           : "\n\n~~~~ USING NON-LINEAR MODE ~~~~\n";
    text += "\n\n*** DATA TO USE FOR THIS RUN ITERATION ***\n";
    text += FormatC("Number of measurements: %d\n", set.rowCount);
    if (set.flowUnit)
        text += InfoOf(*set.flowUnit).logLine;
    text += "\n====================================================================\n"
            "============= Result of Linear Fit for Kings Equation ==============\n"
            "================  Response = a + b * (flow ^ c) ====================\n"
            "====================================================================\n\n";
    text += FormatC("Fit Coefficients: a = %2.3f  b = %2.3f   c = %2.3f\n", k.a, k.b, k.c);
    for (std::size_t row = 0; row < static_cast<std::size_t>(set.rowCount); ++row)
        // " => Indx %2d, MAF(g/s) = %4.2f,  resp = %3.2f, resp_fit = %3.2f\n"
        text += FormatC(" => Indx %2d, MAF(g/s) = ", static_cast<int>(row)) +
                FormatFixed(set.flowGs[row], 4, 2) +
                ",  resp = " + FormatFixed(set.response[row], 3, 2) +
                ", resp_fit = " + FormatFixed(KingResponse(set.flowGs[row], k), 3, 2) + "\n";
    return text + kEndLine + ModelLogLine(run);
}

} // namespace tovarin
