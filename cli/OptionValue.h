#pragma once
// What every option handler of tovarin-reduce shares: the handler's shape,
// the whole-number test and the option whose value names one of a list.

#include "Options.h"

#include <algorithm>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

namespace tovarin {

// Applies an option's value; returns the reason when the value is unusable.
using ValueHandler = std::function<std::optional<std::string>(ReduceOptions&, const std::string&)>;

// Digits with an optional sign, nothing else.
inline bool IsWholeInteger(const std::string& text)
{
    const std::size_t pos = (!text.empty() && (text[0] == '+' || text[0] == '-')) ? 1 : 0;
    return pos < text.size() &&
           std::all_of(text.begin() + static_cast<std::ptrdiff_t>(pos), text.end(),
                       [](char ch) { return ch >= '0' && ch <= '9'; });
}

// "--word u16": the value is one of the names `named` knows, exactly as
// spelled; the message names the choices.
template <typename Value>
ValueHandler ChoiceOption(const char* name, Value ReduceOptions::*member,
                          std::optional<Value> (*named)(std::string_view), const char* choices)
{
    return [=](ReduceOptions& o, const std::string& v) -> std::optional<std::string> {
        const std::optional<Value> value = named(v);
        if (!value)
            return std::string(name) + ": '" + v + "' is not one of " + choices;
        o.*member = *value;
        return std::nullopt;
    };
}

} // namespace tovarin
