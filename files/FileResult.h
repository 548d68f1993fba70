#pragma once
// The one shape in which files/ and cli/ report a file operation: ok, or the
// path (or the folder that could not be written) and the system's reason,
// ready to be put in front of the user.

#include <string>

namespace tovarin {

struct FileResult
{
    bool ok = true;
    std::string path;   // empty when ok
    std::string reason; // the system's words, empty when ok

    static FileResult Success() { return {}; }
    static FileResult Failure(const std::string& path, const std::string& reason)
    {
        return {false, path, reason};
    }
    // "<path>: <reason>"
    std::string Message() const { return path + ": " + reason; }
};

// The system's words for an errno value (strerror in the C locale's English).
std::string SystemReason(int errorNumber);

} // namespace tovarin
