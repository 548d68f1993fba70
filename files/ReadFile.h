#pragma once
// Reading a whole user file (or standard input) into memory, with every
// failure (a folder, no permission, an I/O error, a closed stream, a file
// too large to be a calibration's) reported by its name and the reason.

#include "FileResult.h"

#include <istream>
#include <string>

namespace tovarin {

// No bench file, settings file, list or record comes near it; a larger one
// is refused rather than read into memory.
inline constexpr long long kMaxInputBytes = 64LL * 1024 * 1024;

FileResult ReadWholeFile(const std::string& path, std::string& text);

// The whole stream, named "standard input" in a failure.
FileResult ReadStandardInput(std::istream& in, std::string& text);

} // namespace tovarin
