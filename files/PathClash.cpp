#include "PathClash.h"

#include <climits>
#include <cstdlib>
#include <filesystem>
#include <sys/stat.h>
#include <unordered_map>

namespace tovarin {
namespace {

// What identifies the file a path names: its device and inode when it
// exists, else its resolved folder and its name.
std::string IdentityOf(const std::string& path)
{
    struct stat info;
    if (::stat(path.c_str(), &info) == 0)
        return "i" + std::to_string(info.st_dev) + ":" + std::to_string(info.st_ino);
    const std::filesystem::path p(path);
    const std::string folder = p.has_parent_path() ? p.parent_path().string() : ".";
    char resolved[PATH_MAX];
    if (!::realpath(folder.c_str(), resolved))
        return "p" + path; // a folder that does not exist: the write fails on its own
    return "p" + std::string(resolved) + "/" + p.filename().string();
}

} // namespace

std::optional<std::string> FindPathClash(const std::vector<NamedPath>& outputs,
                                         const std::vector<NamedPath>& inputs)
{
    if (outputs.empty())
        return std::nullopt; // nothing written, nothing overwritten
    std::unordered_map<std::string, const NamedPath*> written;
    for (const NamedPath& output : outputs) {
        const auto [at, added] = written.emplace(IdentityOf(output.path), &output);
        if (!added)
            return at->second->label + " and " + output.label + " name the same file";
    }
    for (const NamedPath& input : inputs)
        if (const auto at = written.find(IdentityOf(input.path)); at != written.end())
            return at->second->label + " would overwrite the input " + input.label;
    return std::nullopt;
}

} // namespace tovarin
