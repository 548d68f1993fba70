#include "AtomicFile.h"

#include <atomic>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace tovarin {
namespace {

std::string TemporaryPathBeside(const std::string& path)
{
    static std::atomic<unsigned> counter{0};
    return path + ".tmp." + std::to_string(getpid()) + "." + std::to_string(counter++);
}

bool WriteAll(int fd, std::string_view bytes)
{
    while (!bytes.empty()) {
        const ssize_t written = ::write(fd, bytes.data(), bytes.size());
        if (written < 0) {
            if (errno == EINTR)
                continue;
            return false;
        }
        bytes.remove_prefix(static_cast<std::size_t>(written));
    }
    return true;
}

// A device or pipe (/dev/stdout, /dev/full) is written in place: renaming over
// it would replace the device node instead of writing to it.
bool WriteInPlace(const std::string& path, std::string_view bytes, std::string& error)
{
    const int fd = ::open(path.c_str(), O_WRONLY | O_TRUNC | O_CLOEXEC);
    if (fd < 0) {
        error = std::strerror(errno);
        return false;
    }
    bool ok = WriteAll(fd, bytes);
    int savedErrno = errno;
    if (::close(fd) != 0 && ok) {
        ok = false;
        savedErrno = errno;
    }
    if (!ok)
        error = std::strerror(savedErrno);
    return ok;
}

} // namespace

bool WriteFileAtomically(const std::string& path, std::string_view bytes, std::string& error)
{
    struct stat existing;
    if (::stat(path.c_str(), &existing) == 0 && !S_ISREG(existing.st_mode))
        return WriteInPlace(path, bytes, error);

    const std::string temporary = TemporaryPathBeside(path);
    // 0666 less the umask, as a plain fopen would create it.
    const int fd = ::open(temporary.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    if (fd < 0) {
        error = std::strerror(errno);
        return false;
    }
    bool ok = WriteAll(fd, bytes) && ::fsync(fd) == 0;
    int savedErrno = errno;
    if (::close(fd) != 0 && ok) {
        ok = false;
        savedErrno = errno;
    }
    if (ok && std::rename(temporary.c_str(), path.c_str()) != 0) {
        ok = false;
        savedErrno = errno;
    }
    if (!ok) {
        ::unlink(temporary.c_str());
        error = std::strerror(savedErrno);
    }
    return ok;
}

} // namespace tovarin
