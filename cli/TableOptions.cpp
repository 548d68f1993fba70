#include "TableOptions.h"

#include "BreakpointList.h"
#include "FieldParsing.h"
#include "JsonText.h"
#include "OutputParameters.h"
#include "ReadFile.h"
#include "TableFormats.h"

#include <cmath>

namespace tovarin {
namespace {

// "--breakpoints 0.5,1,2.25" or "--breakpoints @FILE" (one a line).
std::optional<std::string> ReadBreakpoints(ReduceOptions& o, const std::string& v)
{
    constexpr const char* kName = "--breakpoints: ";
    std::string text = v;
    char separator = ',';
    o.breakpointsPath.reset();
    if (!v.empty() && v[0] == '@') {
        if (const FileResult read = ReadWholeFile(v.substr(1), text); !read.ok)
            return kName + read.Message();
        separator = '\n';
        o.breakpointsPath = v.substr(1);
    }
    if (const auto problem = ParseBreakpointList(text, separator, o.breakpoints))
        return kName + *problem;
    return std::nullopt;
}

// A scale factor: a finite decimal number above 0.
ValueHandler ScaleOption(const char* name, double ReduceOptions::*member)
{
    return [=](ReduceOptions& o, const std::string& v) -> std::optional<std::string> {
        double value = 0.0;
        if (DecimalPrefixLength(v) != v.size() || !ReadNumberField(v, value) || !(value > 0.0) ||
            !std::isfinite(value))
            return std::string(name) + ": '" + v + "' is not a decimal number above 0";
        o.*member = value;
        return std::nullopt;
    };
}

std::optional<std::string> ReadPlaceCount(ReduceOptions& o, const std::string& v)
{
    int value = 0;
    if (!IsWholeInteger(v) || !ReadIntField(v, value) || value < 2 || value > kMaxPointCount)
        return "--place-breakpoints: '" + v + "' is not a whole number from 2 to 1048576";
    o.placeBreakpoints = value;
    return std::nullopt;
}

// The byte split and the axis file need a layout they can be written in.
std::optional<std::string> CheckSplitAndAxis(const ReduceOptions& o)
{
    if (o.byteSplit && o.wordType != WordType::U16 && o.wordType != WordType::S16)
        return std::string("--byte-split needs --word u16 or s16");
    if (o.byteSplit && o.tableFormat != TableFormat::Dw && o.tableFormat != TableFormat::C)
        return std::string("--byte-split needs --table-format dw or c");
    if (o.axisPath && o.tableFormat != TableFormat::Dw)
        return std::string("--axis needs --table-format dw: the other formats hold the axis");
    if (o.axisPath && o.breakpoints.empty() && !o.placeBreakpoints)
        return std::string("--axis needs --breakpoints or --place-breakpoints");
    if (o.axisScale != 1.0 && !o.axisPath)
        return std::string("--axis-scale needs --axis");
    return std::nullopt;
}

} // namespace

std::map<std::string, ValueHandler> WithTableOptions(std::map<std::string, ValueHandler> options)
{
    options.insert({
        {"--breakpoints", ReadBreakpoints},
        {"--place-breakpoints", ReadPlaceCount},
        {"--word", ChoiceOption("--word", &ReduceOptions::wordType, WordTypeNamed,
                                "int, u8, u16, s16, u32, f32")},
        {"--word-scale", ScaleOption("--word-scale", &ReduceOptions::wordScale)},
        {"--table-format", ChoiceOption("--table-format", &ReduceOptions::tableFormat,
                                        TableFormatNamed, "dw, csv, tsv, c")},
        {"--axis",
         [](ReduceOptions& o, const std::string& v) -> std::optional<std::string> {
             o.axisPath = v;
             return std::nullopt;
         }},
        {"--axis-scale", ScaleOption("--axis-scale", &ReduceOptions::axisScale)},
    });
    return options;
}

// Explicit breakpoints set the table's words: no --points, and they lie
// within --response-min and --response-max where those are given.
std::optional<std::string> CheckTableOptions(const ReduceOptions& options)
{
    if (options.wordType == WordType::F32 && options.tableFormat == TableFormat::Dw)
        return std::string("--word f32 needs --table-format csv, tsv or c: DW lines hold "
                           "whole numbers");
    if (auto problem = CheckSplitAndAxis(options))
        return problem;
    if (options.placeBreakpoints && options.pointCount)
        return std::string("--points cannot be given with --place-breakpoints");
    if (options.placeBreakpoints && !options.breakpoints.empty())
        return std::string("--breakpoints and --place-breakpoints exclude each other");
    if (options.breakpoints.empty())
        return std::nullopt;
    if (options.pointCount)
        return std::string("--points cannot be given with --breakpoints");
    for (const double b : options.breakpoints)
        if ((options.responseMin && b < *options.responseMin) ||
            (options.responseMax && b > *options.responseMax))
            return "--breakpoints: " + JsonNumber(b) +
                   " lies outside --response-min to --response-max";
    return std::nullopt;
}

} // namespace tovarin
