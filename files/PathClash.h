#pragma once
// Outputs that would destroy inputs or each other, found before anything is
// written. Two paths name one file when both exist and have the same device
// and inode (links and "./" included), or when neither exists and their
// resolved folders and names are the same.

#include <optional>
#include <string>
#include <vector>

namespace tovarin {

struct NamedPath
{
    std::string label; // how the message names it: "--table out.inc"
    std::string path;
};

// "A and B name the same file" for the first two outputs that do, else
// "A would overwrite the input B" for the first output naming an input.
std::optional<std::string> FindPathClash(const std::vector<NamedPath>& outputs,
                                         const std::vector<NamedPath>& inputs);

} // namespace tovarin
