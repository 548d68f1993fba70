#include "RunLog.h"

#include <cerrno>
#include <filesystem>
#include <system_error>

namespace tovarin {

RunLog RunLog::ToStream(std::FILE* stream)
{
    RunLog log;
    log.m_stream.reset(stream);
    return log;
}

RunLog RunLog::ToMemory()
{
    RunLog log;
    log.m_inMemory = true;
    return log;
}

void RunLog::Write(std::string_view text)
{
    if (m_stream)
        std::fwrite(text.data(), 1, text.size(), m_stream.get());
    else if (m_inMemory)
        m_text.append(text);
}

void RunLog::Flush()
{
    if (m_stream)
        std::fflush(m_stream.get());
}

FileResult OpenRunLog(RunLog& log, std::string& startDirectory)
{
    std::error_code error;
    const std::filesystem::path cwd = std::filesystem::current_path(error);
    if (error)
        return FileResult::Failure("the working directory", SystemReason(error.value()));
    startDirectory = cwd.string();
    if (startDirectory.empty() || startDirectory.back() != '/')
        startDirectory += '/';
    const std::string path = startDirectory + kRunLogName;
    std::FILE* stream = std::fopen(path.c_str(), "w");
    if (!stream)
        return FileResult::Failure(path, SystemReason(errno));
    log = RunLog::ToStream(stream);
    return FileResult::Success();
}

} // namespace tovarin
