#include "NumberText.h"

#include <charconv>
#include <clocale>
#include <cstdarg>
#include <cstdio>
#include <cstdlib>
#include <locale.h>

namespace tovarin {
namespace {

// The C locale as a handle, made once; glibc's *_l functions and uselocale take it.
locale_t CLocaleHandle()
{
    static const locale_t handle = newlocale(LC_ALL_MASK, "C", locale_t{});
    return handle;
}

// Switches this thread to the C locale for the lifetime of the object.
class ScopedCLocale
{
  public:
    ScopedCLocale() : m_previous(uselocale(CLocaleHandle())) {}
    ~ScopedCLocale() { uselocale(m_previous); }
    ScopedCLocale(const ScopedCLocale&) = delete;
    ScopedCLocale& operator=(const ScopedCLocale&) = delete;

  private:
    locale_t m_previous;
};

} // namespace

std::string FormatC(const char* format, ...)
{
    ScopedCLocale cLocale;
    char small[256];
    std::va_list args;
    va_start(args, format);
    const int length = std::vsnprintf(small, sizeof small, format, args);
    va_end(args);
    if (length < 0)
        return {};
    if (static_cast<std::size_t>(length) < sizeof small)
        return std::string(small, static_cast<std::size_t>(length));

    std::string text(static_cast<std::size_t>(length) + 1, '\0');
    va_start(args, format);
    std::vsnprintf(text.data(), text.size(), format, args);
    va_end(args);
    text.resize(static_cast<std::size_t>(length));
    return text;
}

std::string FormatFixed(double value, int width, int precision)
{
    // Room for the 309 integer digits of the largest double and the fraction.
    char digits[400];
    const auto [end, ec] =
        std::to_chars(digits, digits + sizeof digits, value, std::chars_format::fixed, precision);
    if (ec != std::errc())
        return FormatC("%*.*f", width, precision, value);
    const auto length = static_cast<std::size_t>(end - digits);
    const auto padding = width > 0 && static_cast<std::size_t>(width) > length
                             ? static_cast<std::size_t>(width) - length
                             : 0;
    std::string text(padding, ' ');
    text.append(digits, length);
    return text;
}

double ParseDoubleC(const char* text, char** end)
{
    return strtod_l(text, end, CLocaleHandle());
}

} // namespace tovarin
