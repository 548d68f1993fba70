#pragma once
// The one shape in which files/ and cli/ report a file operation: ok, or a
// message that names the path and the system's reason, "<path>: <reason>",
// ready to be put in front of the user.

#include <string>

namespace tovarin {

struct FileResult
{
    bool ok = true;
    std::string message; // empty when ok

    static FileResult Success() { return {}; }
    static FileResult Failure(const std::string& path, const std::string& reason)
    {
        return {false, path + ": " + reason};
    }
};

// The system's words for an errno value (strerror in the C locale's English).
std::string SystemReason(int errorNumber);

} // namespace tovarin
