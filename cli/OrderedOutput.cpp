#include "OrderedOutput.h"

namespace tovarin {
namespace {

// One write of standard output per this many bytes instead of one per file.
constexpr std::size_t kWriteBlock = 1 << 16;

} // namespace

OrderedOutput::OrderedOutput(std::ostream& out, std::ostream& err, std::size_t window)
    : m_out(out), m_err(err), m_window(window)
{
}

void OrderedOutput::WaitForRoom(std::size_t index)
{
    std::unique_lock lock(m_mutex);
    if (index < m_next + m_window)
        return;
    ++m_blockedWorkers;
    m_room.wait(lock, [&] { return index < m_next + m_window; });
    --m_blockedWorkers;
}

void OrderedOutput::Deliver(std::size_t index, FileOutcome outcome)
{
    std::lock_guard lock(m_mutex);
    if (index != m_next) {
        m_waiting.emplace(index, std::move(outcome));
        return;
    }
    Print(outcome);
    for (auto next = m_waiting.begin(); next != m_waiting.end() && next->first == m_next;
         next = m_waiting.erase(next))
        Print(next->second);
    if (m_blockedWorkers > 0)
        m_room.notify_all();
}

void OrderedOutput::Finish()
{
    std::lock_guard lock(m_mutex);
    WriteBuffered();
}

void OrderedOutput::Print(const FileOutcome& outcome)
{
    if (!outcome.errors.empty()) {
        WriteBuffered(); // what a reader sees keeps the files' order across both streams
        m_err << outcome.errors;
    }
    m_buffered += outcome.line;
    if (m_buffered.size() >= kWriteBlock)
        WriteBuffered();
    m_summaryRows += outcome.summaryRow;
    if (m_exitCode == 0)
        m_exitCode = outcome.exitCode;
    ++m_next;
}

void OrderedOutput::WriteBuffered()
{
    m_out << m_buffered;
    m_buffered.clear();
}

} // namespace tovarin
