#include "ReadFile.h"

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace tovarin {
namespace {

FileResult TooLarge(const std::string& name, long long bytes)
{
    return FileResult::Failure(name, std::to_string(bytes) + " bytes is more than the " +
                                         std::to_string(kMaxInputBytes) + " bytes read at most");
}

} // namespace

FileResult ReadWholeFile(const std::string& path, std::string& text)
{
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        return FileResult::Failure(path, SystemReason(errno));
    struct stat info;
    int error = 0;
    if (::fstat(fd, &info) != 0)
        error = errno;
    else if (S_ISDIR(info.st_mode))
        error = EISDIR;
    else if (S_ISREG(info.st_mode) && info.st_size > kMaxInputBytes) {
        ::close(fd);
        return TooLarge(path, static_cast<long long>(info.st_size));
    }
    text.clear();
    char buffer[1 << 16];
    while (error == 0) {
        const ssize_t got = ::read(fd, buffer, sizeof buffer);
        if (got > 0)
            text.append(buffer, static_cast<std::size_t>(got));
        else if (got == 0)
            break;
        else if (errno != EINTR)
            error = errno;
        if (static_cast<long long>(text.size()) > kMaxInputBytes) { // a pipe or device
            ::close(fd);
            return TooLarge(path, static_cast<long long>(text.size()));
        }
    }
    ::close(fd);
    return error == 0 ? FileResult::Success() : FileResult::Failure(path, SystemReason(error));
}

FileResult ReadStandardInput(std::istream& in, std::string& text)
{
    constexpr const char* kName = "standard input";
    text.clear();
    char buffer[1 << 16];
    try {
        // A closed descriptor or a folder makes the stream's buffer throw.
        errno = 0;
        while (in.read(buffer, sizeof buffer) || in.gcount() > 0) {
            text.append(buffer, static_cast<std::size_t>(in.gcount()));
            if (static_cast<long long>(text.size()) > kMaxInputBytes)
                return FileResult::Failure(kName, "more than the " +
                                                      std::to_string(kMaxInputBytes) +
                                                      " bytes read at most");
        }
    } catch (const std::ios_base::failure&) {
        return FileResult::Failure(kName, SystemReason(errno ? errno : EIO));
    }
    return in.bad() ? FileResult::Failure(kName, SystemReason(errno ? errno : EIO))
                    : FileResult::Success();
}

} // namespace tovarin
