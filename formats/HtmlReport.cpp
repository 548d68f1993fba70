#include "HtmlReport.h"

#include "Markup.h"
#include "ModelText.h"
#include "NumberText.h"
#include "Version.h"

#include <string_view>

namespace tovarin {

bool WriteHtmlReport(const Reduction& lastRun, const OutputParameters& output, const LineSink& sink)
{
    const KingCoefficients& k = lastRun.coefficients;
    const std::string title = kReportTitle;
    bool ok = true; // once a piece fails, nothing more is written
    auto put = [&](std::string_view piece) { ok = ok && sink(piece); };

    // The public identifier stands unquoted, as in every report written so far.
    put("<!DOCTYPE HTML PUBLIC -//W3C//DTD HTML 4.01 Transitional//EN>\n");
    put("<html>\n");
    put("<head>\n");
    put("<title>\n");
    put(title);
    put("</title>\n");
    put("</head>\n");
    put("<body text=\"#000000\" bgcolor=\"#ffffff\" link=\"#0000ff\" vlink=\"#1111aa\" "
        "alink=\"#0000aa\" background=\"\">\n");
    put("<pre>\n");
    put("===========  " + title + "  =========\n\n");
    put("Mass Airflow Meter: " + EscapeMarkup(lastRun.set.meterType) + "\n\n");
    put("\n====================================================================\n");
    if (lastRun.model.kind == ModelKind::King) {
        put("=========== Result of Least-Squares Fit to Kings Equation ==========\n");
        put("================  Response = a + b * (flow ^ c) ====================\n");
        put("====================================================================\n\n");
        put(FormatC("Fit Coefficients: a = %2.3f  b = %2.3f   c = %2.3f\n\n", k.a, k.b, k.c));
    } else { // the model in place of King's equation, its parameters at full precision
        put(std::string("=========== Result of ") + ModelTitle(lastRun.model.kind) + " (" +
            ModelName(lastRun.model.kind) + ")\n");
        put("====================================================================\n\n");
        put("Fit Coefficients: " + ModelParametersText(lastRun.model) + "\n\n");
    }
    // Any kind but volts, a list without selection included, heads as frequency.
    put(InfoOf(lastRun.set.responseKind.value_or(ResponseKind::Freq)).reportHead);
    put("\t---------------------\n");

    // 50 rows by repeated addition of the step; response max itself is never listed.
    const double step = (output.responseMax - output.responseMin) / kReportRows;
    double response = output.responseMin;
    for (int row = 0; row < kReportRows && ok; ++row) {
        put(FormatC("\t%2.1f\t%4.2f \n", response, FlowAt(lastRun, response)));
        response += step;
    }
    put("</pre>\n");
    put("</body>\n");
    put("</html>\n");
    return ok;
}

} // namespace tovarin
