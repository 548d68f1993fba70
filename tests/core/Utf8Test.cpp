#include "Utf8.h"
#include "Markup.h"

#include <gtest/gtest.h>

using namespace tovarin;

TEST(Utf8, InvalidBytesBecomeTheReplacementCharacter)
{
    const std::string fffd = "\xEF\xBF\xBD";
    struct Case
    {
        const char* name;
        std::string bytes, valid;
    } const cases[] = {
        {"ASCII and two, three and four bytes", "a\xC3\xA9\xE2\x82\xAC\xF0\x9D\x84\x9E",
         "a\xC3\xA9\xE2\x82\xAC\xF0\x9D\x84\x9E"},
        {"a stray continuation byte",
         "a\x80"
         "b",
         "a" + fffd + "b"},
        {"an overlong slash", "\xC0\xAF", fffd + fffd},
        {"a surrogate", "\xED\xA0\x80", fffd + fffd + fffd},
        {"above U+10FFFF", "\xF4\x90\x80\x80", fffd + fffd + fffd + fffd},
        {"cut short at the end", "x\xE2\x82", "x" + fffd + fffd},
        {"a Latin-1 file name", "m\xE9ter.csv", "m" + fffd + "ter.csv"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(IsValidUtf8(c.bytes), c.bytes == c.valid);
        EXPECT_EQ(ToValidUtf8(c.bytes), c.valid);
    }
    EXPECT_EQ(EscapeMarkup("<!--\xFF&\""), "&lt;!--" + fffd + "&amp;&quot;");
}
