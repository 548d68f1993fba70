#include "AtomicFile.h"

#include <cerrno>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <fcntl.h>
#include <functional>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace tovarin {
namespace {

bool g_interruptBeforeRename = false;

// Closes a descriptor when it goes out of scope.
class Descriptor
{
  public:
    explicit Descriptor(int fd = -1) : m_fd(fd) {}
    ~Descriptor()
    {
        if (m_fd >= 0)
            ::close(m_fd);
    }
    Descriptor(const Descriptor&) = delete;
    Descriptor& operator=(const Descriptor&) = delete;
    int Get() const { return m_fd; }
    // Closes now; false with errno set when the close reports an error.
    bool Close()
    {
        const int fd = m_fd;
        m_fd = -1;
        return ::close(fd) == 0;
    }

  private:
    int m_fd;
};

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

std::string DirectoryOf(const std::string& path)
{
    const std::size_t slash = path.rfind('/');
    if (slash == std::string::npos)
        return ".";
    return slash == 0 ? "/" : path.substr(0, slash);
}

// The temporary's name beside the target: a fixed-length name made from a
// hash of the target's name, so that any name the file system accepts works,
// and a temporary left by a killed process is the one the next save of the
// same target finds and replaces. `attempt` moves past a name that something
// else occupies: a planted folder, or another writer of the same target.
std::string TemporaryPath(const std::string& directory, const std::string& path, int attempt)
{
    const std::size_t hash = std::hash<std::string>{}(path);
    char name[64];
    std::snprintf(name, sizeof name, ".tovarin-%016zx.%d.tmp", hash, attempt);
    return directory + "/" + name;
}

// A device or pipe (/dev/stdout, /dev/full), or a link to nowhere, is written
// in place: renaming over it would replace the node instead of writing to it.
FileResult WriteInPlace(const std::string& path, std::string_view bytes)
{
    Descriptor fd(::open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0666));
    if (fd.Get() < 0)
        return FileResult::Failure(path, SystemReason(errno));
    if (!WriteAll(fd.Get(), bytes) || !fd.Close())
        return FileResult::Failure(path, SystemReason(errno));
    return FileResult::Success();
}

// True when the file at `path` is a temporary no writer holds: a writer holds
// an exclusive lock on its own temporary until it has closed it.
bool IsStale(const std::string& path)
{
    Descriptor fd(::open(path.c_str(), O_RDONLY | O_NOFOLLOW | O_CLOEXEC));
    return fd.Get() >= 0 && ::flock(fd.Get(), LOCK_EX | LOCK_NB) == 0;
}

} // namespace

int CreateTemporaryBeside(const std::string& target, std::string& temporary)
{
    const std::string directory = DirectoryOf(target);
    // Each attempt takes a name of its own, or removes what was stale at it
    // and tries that name again; a bounded number of steps in all.
    int attempt = 0;
    for (int step = 0; step < 16 && attempt < 8; ++step) {
        temporary = TemporaryPath(directory, target, attempt);
        const int fd =
            ::open(temporary.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0666);
        if (fd >= 0) {
            // Another writer may have locked it first, taking it for stale.
            if (::flock(fd, LOCK_EX | LOCK_NB) == 0)
                return fd;
            ::close(fd);
            ++attempt;
            continue;
        }
        if (errno != EEXIST)
            return -1;
        struct stat planted;
        if (::lstat(temporary.c_str(), &planted) != 0)
            continue; // gone meanwhile: try the name again
        if (S_ISLNK(planted.st_mode) || (S_ISREG(planted.st_mode) && IsStale(temporary)))
            ::unlink(temporary.c_str()); // a planted link or a killed writer's file
        else
            ++attempt; // a folder, or another writer's temporary
    }
    errno = EEXIST;
    return -1;
}

namespace {

// The directory entry is durable only once the directory itself is synced.
// A failure here comes after the new file is in place, so it is not reported.
void SyncDirectory(const std::string& directory)
{
    Descriptor fd(::open(directory.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (fd.Get() >= 0)
        ::fsync(fd.Get());
}

} // namespace

void InterruptNextAtomicWriteForTesting()
{
    g_interruptBeforeRename = true;
}

FileResult WriteFileAtomically(const std::string& path, std::string_view bytes)
{
    // A link at the target stays a link: the file it names is replaced.
    std::string target = path;
    struct stat existing;
    const bool exists = ::lstat(path.c_str(), &existing) == 0;
    if (exists && S_ISLNK(existing.st_mode)) {
        char resolved[PATH_MAX];
        if (!::realpath(path.c_str(), resolved) || ::stat(resolved, &existing) != 0)
            return WriteInPlace(path, bytes);
        target = resolved;
    }
    if (exists && !S_ISREG(existing.st_mode))
        return WriteInPlace(path, bytes);

    const std::string directory = DirectoryOf(target);
    std::string temporary;
    Descriptor fd(CreateTemporaryBeside(target, temporary));
    if (fd.Get() < 0) // the directory is what cannot be written
        return FileResult::Failure(directory, SystemReason(errno));
    if (exists) { // the replacement keeps the old file's permissions and, if allowed, owner
        ::fchmod(fd.Get(), existing.st_mode & 07777);
        if (::fchown(fd.Get(), existing.st_uid, existing.st_gid) != 0) {
            // Only the owner's own files can be given away; keeping ours is fine.
        }
    }
    bool ok = WriteAll(fd.Get(), bytes) && ::fsync(fd.Get()) == 0;
    int savedErrno = errno;
    if (!fd.Close() && ok) {
        ok = false;
        savedErrno = errno;
    }
    if (ok && g_interruptBeforeRename) { // as if the process died here
        g_interruptBeforeRename = false;
        return FileResult::Failure(path, "interrupted for testing");
    }
    if (ok && std::rename(temporary.c_str(), target.c_str()) != 0) {
        ok = false;
        savedErrno = errno;
    }
    if (!ok) {
        ::unlink(temporary.c_str());
        return FileResult::Failure(path, SystemReason(savedErrno));
    }
    SyncDirectory(directory);
    return FileResult::Success();
}

} // namespace tovarin
