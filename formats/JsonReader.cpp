#include "JsonReader.h"

#include "NumberText.h"

namespace tovarin {
namespace {

class Parser
{
  public:
    explicit Parser(std::string_view text) : m_text(text) {}

    std::optional<JsonValue> Document()
    {
        JsonValue value;
        if (!Value(value, 0))
            return std::nullopt;
        SkipSpace();
        return m_pos == m_text.size() ? std::optional(std::move(value)) : std::nullopt;
    }

  private:
    void SkipSpace()
    {
        while (m_pos < m_text.size() && (m_text[m_pos] == ' ' || m_text[m_pos] == '\t' ||
                                         m_text[m_pos] == '\n' || m_text[m_pos] == '\r'))
            ++m_pos;
    }
    bool Take(char ch)
    {
        SkipSpace();
        if (m_pos < m_text.size() && m_text[m_pos] == ch) {
            ++m_pos;
            return true;
        }
        return false;
    }
    bool Word(std::string_view word)
    {
        if (m_text.substr(m_pos, word.size()) != word)
            return false;
        m_pos += word.size();
        return true;
    }
    bool Value(JsonValue& value, int depth)
    {
        SkipSpace();
        if (depth > 64 || m_pos >= m_text.size())
            return false;
        const char ch = m_text[m_pos];
        if (ch == '{')
            return Object(value, depth);
        if (ch == '[')
            return Array(value, depth);
        if (ch == '"') {
            value.type = JsonValue::Type::String;
            return String(value.text);
        }
        if (Word("true") || Word("false")) {
            value.type = JsonValue::Type::Bool;
            value.boolean = m_text[m_pos - 2] == 'u'; // t-r-u-e
            return true;
        }
        if (Word("null"))
            return true;
        return Number(value);
    }
    bool Number(JsonValue& value)
    {
        const std::size_t start = m_pos;
        while (m_pos < m_text.size() &&
               std::string_view("+-0123456789.eE").find(m_text[m_pos]) != std::string_view::npos)
            ++m_pos;
        const std::string digits(m_text.substr(start, m_pos - start));
        char* end = nullptr;
        value.number = ParseDoubleC(digits.c_str(), &end);
        value.type = JsonValue::Type::Number;
        return !digits.empty() && end == digits.c_str() + digits.size();
    }
    bool String(std::string& out)
    {
        ++m_pos; // the opening quote
        while (m_pos < m_text.size() && m_text[m_pos] != '"') {
            char ch = m_text[m_pos++];
            if (ch == '\\') {
                if (m_pos >= m_text.size())
                    return false;
                const char escape = m_text[m_pos++];
                const std::string_view from = "\"\\/bfnrt", to = "\"\\/\b\f\n\r\t";
                if (escape == 'u') { // kept as '?': the command reads no such text back
                    if (m_pos + 4 > m_text.size())
                        return false;
                    m_pos += 4;
                    ch = '?';
                } else if (from.find(escape) != std::string_view::npos) {
                    ch = to[from.find(escape)];
                } else {
                    return false;
                }
            }
            out += ch;
        }
        return m_pos++ < m_text.size();
    }
    bool Array(JsonValue& value, int depth)
    {
        ++m_pos;
        value.type = JsonValue::Type::Array;
        if (Take(']'))
            return true;
        do {
            value.items.emplace_back();
            if (!Value(value.items.back(), depth + 1))
                return false;
        } while (Take(','));
        return Take(']');
    }
    bool Object(JsonValue& value, int depth)
    {
        ++m_pos;
        value.type = JsonValue::Type::Object;
        if (Take('}'))
            return true;
        do {
            std::string key;
            if (!Take('"') || (--m_pos, !String(key)) || !Take(':'))
                return false;
            value.keys.push_back(std::move(key));
            value.items.emplace_back();
            if (!Value(value.items.back(), depth + 1))
                return false;
        } while (Take(','));
        return Take('}');
    }

    std::string_view m_text;
    std::size_t m_pos = 0;
};

} // namespace

const JsonValue* JsonValue::Find(std::string_view key) const
{
    if (type != Type::Object)
        return nullptr;
    for (std::size_t i = 0; i < keys.size(); ++i)
        if (keys[i] == key)
            return &items[i];
    return nullptr;
}

std::optional<JsonValue> ParseJson(std::string_view text)
{
    return Parser(text).Document();
}

} // namespace tovarin
