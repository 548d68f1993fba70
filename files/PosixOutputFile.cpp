#include "FilePlatform.h"

#include <cerrno>
#include <cstdio>
#include <cstring>

namespace tovarin {
namespace {

// Lines are handed over one at a time; the stream's buffer gathers them so a
// million-line table is not a million system calls. Errors surface at the
// latest when the buffer is flushed by Close.
class PosixOutputFile : public IOutputFile
{
  public:
    explicit PosixOutputFile(std::FILE* stream) : m_stream(stream)
    {
        std::setvbuf(m_stream, nullptr, _IOFBF, 1 << 16);
    }
    ~PosixOutputFile() override { Close(); }
    PosixOutputFile(const PosixOutputFile&) = delete;
    PosixOutputFile& operator=(const PosixOutputFile&) = delete;

    bool Write(std::string_view bytes) override
    {
        if (!m_stream || !m_error.empty())
            return false;
        errno = 0;
        if (std::fwrite(bytes.data(), 1, bytes.size(), m_stream) != bytes.size())
            Fail();
        return m_error.empty();
    }

    bool Close() override
    {
        if (!m_stream)
            return m_error.empty();
        errno = 0;
        const bool flushed = std::fflush(m_stream) == 0;
        if (!flushed && m_error.empty())
            Fail();
        if (std::fclose(m_stream) != 0 && m_error.empty())
            Fail();
        m_stream = nullptr;
        return m_error.empty();
    }

    std::string Error() const override { return m_error; }

  private:
    void Fail() { m_error = std::strerror(errno ? errno : EIO); }

    std::FILE* m_stream;
    std::string m_error;
};

} // namespace

std::unique_ptr<IOutputFile> CreatePosixOutputFile(const std::string& path, std::string& error)
{
    // Binary mode: the table's CR LF and the report's LF are written as they are.
    std::FILE* stream = std::fopen(path.c_str(), "wb");
    if (!stream) {
        error = std::strerror(errno);
        return nullptr;
    }
    return std::make_unique<PosixOutputFile>(stream);
}

} // namespace tovarin
