// The flow factor table and the HTML report from any coefficients and output
// parameters (at most 65536 points, to keep each run short).

#include "FlowTable.h"
#include "FuzzInput.h"
#include "HtmlReport.h"

using namespace tovarin;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    FuzzInput input(data, size);
    Reduction run;
    run.coefficients = {input.Take<double>(), input.Take<double>(), input.Take<double>()};
    run.set.responseKind = ResponseKindAt(input.Take<std::int8_t>());
    OutputParameters output{input.Take<double>(), input.Take<double>(),
                            input.Take<std::int32_t>() % 65537,
                            OutputFlowUnitAt(input.Take<std::int8_t>())};
    run.set.meterType = input.TakeText();
    WriteToString(WriteFlowTable, run, output);
    WriteToString(WriteHtmlReport, run, output);
    return 0;
}
