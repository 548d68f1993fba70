#pragma once
// Replacing a user's file safely: the bytes go to a temporary file beside it,
// which is renamed over the old one only once it is completely written. A full
// disk or a crash leaves either the old file or the new one, never half a file.

#include <string>
#include <string_view>

namespace tovarin {

// Returns true on success; otherwise false with `error` set to the system's
// reason (strerror text), the target untouched and no temporary file left.
bool WriteFileAtomically(const std::string& path, std::string_view bytes, std::string& error);

} // namespace tovarin
