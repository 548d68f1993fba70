#pragma once
// Number formatting and parsing in the conventions of the C locale (a point as
// decimal separator, no grouping), whatever locale the process runs under. The
// windowing toolkit sets the process locale from the environment, so plain
// printf and strtod would write "2,50" under a German locale.

#include <string>

namespace tovarin {

// printf into a string with the C locale's conventions.
std::string FormatC(const char* format, ...) __attribute__((format(printf, 1, 2)));

// Same text as FormatC("%<width>.<precision>f", value), without printf: the
// hot path of a run formats some 60 numbers, and a batch runs it per file.
std::string FormatFixed(double value, int width, int precision);

// strtod with the C locale's conventions; `end` as for strtod.
double ParseDoubleC(const char* text, char** end);

} // namespace tovarin
