#pragma once
// Reading a whole user file into memory, with every failure (a folder, no
// permission, an I/O error) reported by path and the system's reason.

#include "FileResult.h"

#include <string>

namespace tovarin {

FileResult ReadWholeFile(const std::string& path, std::string& text);

} // namespace tovarin
