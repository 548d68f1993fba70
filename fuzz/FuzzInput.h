#pragma once
// Taking typed values off the front of a fuzzer's input, so that one byte
// string drives every parameter of a harness. Past the end, values are 0.

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>
#include <string_view>

class FuzzInput
{
  public:
    FuzzInput(const std::uint8_t* data, std::size_t size)
        : m_rest(reinterpret_cast<const char*>(data), size)
    {
    }

    template <typename T> T Take()
    {
        T value{};
        const std::size_t n = std::min(sizeof value, m_rest.size());
        std::memcpy(&value, m_rest.data(), n);
        m_rest.remove_prefix(n);
        return value;
    }
    // Up to the next NUL byte (or the end), without it.
    std::string TakeText()
    {
        const std::size_t end = std::min(m_rest.find('\0'), m_rest.size());
        std::string text(m_rest.substr(0, end));
        m_rest.remove_prefix(std::min(end + 1, m_rest.size()));
        return text;
    }
    std::string_view Rest() const { return m_rest; }
    bool Empty() const { return m_rest.empty(); }

  private:
    std::string_view m_rest;
};
