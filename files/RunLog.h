#pragma once
// The run log "tovarin.log": a buffered text stream in the start directory,
// emptied at every start and written by every run. It can also collect its
// text in memory, for the headless command and for tests.

#include "FileResult.h"

#include <cstdio>
#include <memory>
#include <string>
#include <string_view>

namespace tovarin {

class RunLog
{
  public:
    RunLog() = default; // closed: writes go nowhere

    // Takes ownership of an open stream; the stream is closed (and so flushed)
    // when the log is destroyed, which is when the program ends.
    static RunLog ToStream(std::FILE* stream);
    static RunLog ToMemory();

    bool IsOpen() const { return m_stream != nullptr || m_inMemory; }
    void Write(std::string_view text);
    // Hands the buffered text to the system, so a finished run survives a crash.
    void Flush();

    // Everything written so far, when collecting in memory.
    const std::string& Text() const { return m_text; }

  private:
    struct StreamCloser
    {
        void operator()(std::FILE* stream) const { std::fclose(stream); }
    };
    std::unique_ptr<std::FILE, StreamCloser> m_stream;
    bool m_inMemory = false;
    std::string m_text;
};

inline constexpr const char* kRunLogName = "tovarin.log";

// Takes the working directory, sets `startDirectory` to it followed by '/' and
// opens startDirectory + "tovarin.log" for writing (created or emptied).
// On failure the result names the log's path (or the working directory that
// could not be taken) and the system's reason.
FileResult OpenRunLog(RunLog& log, std::string& startDirectory);

} // namespace tovarin
