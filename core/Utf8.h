#pragma once
// UTF-8 as the JSON and the record must carry it whatever a user's bytes
// are: a file name or meter type that is not valid UTF-8 keeps its valid
// characters, and each invalid byte becomes U+FFFD.

#include <string>
#include <string_view>

namespace tovarin {

// Valid UTF-8: no stray continuation byte, no overlong form, no surrogate,
// nothing above U+10FFFF, no sequence cut short.
bool IsValidUtf8(std::string_view text);

// `text` with each byte that is not part of a valid character as U+FFFD.
std::string ToValidUtf8(std::string_view text);

} // namespace tovarin
