#pragma once
// The options of the uncertainty budget: the reference's and the response
// meter's uncertainties, the resolution, the CMC, the Monte Carlo trials and
// the decision rule.

#include "OptionValue.h"

#include <map>
#include <string>

namespace tovarin {

std::map<std::string, ValueHandler> WithBudgetOptions(std::map<std::string, ValueHandler> options);

} // namespace tovarin
