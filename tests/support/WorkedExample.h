#pragma once
// The examples every layer is checked against. The worked example: flows 0, 5, 10, 20 g/s
// and responses 1.0, 1.8, 2.3, 3.1 V in rows 0 to 3, a 0 flow in row 4. Its
// linear-mode fit is a = 1, b = exp(intercept), c = slope of the log-log line.

#include "NumberText.h"
#include "Reduce.h"

#include <algorithm>
#include <string>
#include <vector>

namespace worked {

struct TypedRow
{
    const char* flow;
    const char* response;
};
inline const std::vector<TypedRow> kRows = {
    {"0", "1.0"}, {"5", "1.8"}, {"10", "2.3"}, {"20", "3.1"}};
inline const char* const kCsv = "flow,volts\n0,1.0\n5,1.8\n10,2.3\n20,3.1\n";

// MAF, fit and % error fields of rows 0 to 3, and the coefficient fields.
inline const std::vector<std::vector<std::string>> kResultFields = {{"0.00", "1.00", "0.00"},
                                                                    {"5.00", "1.80", "-0.04"},
                                                                    {"10.00", "2.30", "0.11"},
                                                                    {"20.00", "3.10", "-0.07"}};
inline const std::vector<std::string> kCoefficientFields = {"1.000", "0.261", "0.696"};

inline const std::string kLogBlock =
    "\n\n\n*** Executing Run ***"
    "\n\n~~~~ USING LINEAR MODE ~~~~\n"
    "\n\n*** DATA TO USE FOR THIS RUN ITERATION ***\n"
    "Number of measurements: 4\n"
    "Using CFM entries on screen\n"
    "\n====================================================================\n"
    "============= Result of Linear Fit for Kings Equation ==============\n"
    "================  Response = a + b * (flow ^ c) ====================\n"
    "====================================================================\n\n"
    "Fit Coefficients: a = 1.000  b = 0.261   c = 0.696\n"
    " => Indx  0, MAF(g/s) = 0.00,  resp = 1.00, resp_fit = 1.00\n"
    " => Indx  1, MAF(g/s) = 5.00,  resp = 1.80, resp_fit = 1.80\n"
    " => Indx  2, MAF(g/s) = 10.00,  resp = 2.30, resp_fit = 2.30\n"
    " => Indx  3, MAF(g/s) = 20.00,  resp = 3.10, resp_fit = 3.10\n"
    "***************************** END OF RUN ***************************\n\n";

// A hot-wire sensor from 0.9 to 316 g/s: a non-linear fit that converges in
// 27 evaluations, with a largest flow error of -4.28 % at row 3.
inline const std::vector<TypedRow> kHotWire = {
    {"0.9", "0.98"}, {"2", "1.30"}, {"3.1", "1.48"}, {"5", "1.72"},  {"10", "2.13"},
    {"20", "2.62"},  {"40", "3.2"}, {"80", "3.86"},  {"160", "4.6"}, {"316", "5.4"}};
inline const char* const kHotWireCsv =
    "0.9,0.98\n2,1.30\n3.1,1.48\n5,1.72\n10,2.13\n20,2.62\n40,3.2\n80,3.86\n160,4.6\n316,5.4\n";

// The settings file after a run of the example with meter type `meter`.
inline std::string SettingsFile(const std::string& meter)
{
    std::string text = "0.000000\t1.000000\n5.000000\t1.800000\n10.000000\t2.300000\n"
                       "20.000000\t3.100000\n";
    for (int row = 4; row < 19; ++row)
        text += "0.000000\t0.000000\n";
    return text + "0\n0\n" + meter + "\n";
}

// The worked example as a run leaves it (coefficients as the fields show
// them), with the given fitted responses of rows 0 to 3.
inline tovarin::Reduction Run(const std::vector<double>& fittedResponse)
{
    tovarin::Reduction run;
    run.set.rowCount = 4;
    run.set.flowGs = {0, 5, 10, 20};
    run.set.response = {1.0, 1.8, 2.3, 3.1};
    std::copy(fittedResponse.begin(), fittedResponse.end(), run.set.fittedResponse.begin());
    run.coefficients = {1.0, 0.261, 0.696};
    return run;
}

// The input of a screen with `rows` typed from row 0 down (decimal texts)
// and the other rows 0.
inline tovarin::RunInput Input(const std::vector<TypedRow>& rows,
                               tovarin::FlowUnit unit = tovarin::FlowUnit::GramsPerSec,
                               tovarin::ResponseKind kind = tovarin::ResponseKind::Volts)
{
    tovarin::RunInput input;
    for (std::size_t i = 0; i < rows.size(); ++i) {
        input.typedFlow[i] = tovarin::ParseDoubleC(rows[i].flow, nullptr);
        input.typedResponse[i] = tovarin::ParseDoubleC(rows[i].response, nullptr);
    }
    input.flowUnit = unit;
    input.responseKind = kind;
    return input;
}

inline tovarin::Reduction Reduced(const std::vector<TypedRow>& rows,
                                  tovarin::FlowUnit unit = tovarin::FlowUnit::GramsPerSec,
                                  tovarin::ResponseKind kind = tovarin::ResponseKind::Volts)
{
    return tovarin::Reduce(Input(rows, unit, kind));
}

} // namespace worked
