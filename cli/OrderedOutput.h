#pragma once
// A batch's results printed in input order, whichever worker finishes a file
// first. The worker that completes the next file to print prints it, and every
// later result already waiting, itself: no printing thread waits on the
// workers, and a batch of one job takes no lock it has to wait for. Results
// wait in a window of bounded size, so memory stays bounded however many
// files a batch has.

#include <condition_variable>
#include <cstddef>
#include <map>
#include <mutex>
#include <ostream>
#include <string>

namespace tovarin {

// What one file's run leaves for the batch to print.
struct FileOutcome
{
    int exitCode = 0;
    std::string line;       // its JSON Lines object or readable line, with '\n'
    std::string errors;     // its standard error, each line naming the file
    std::string summaryRow; // its CSV row, with '\n'; empty without --summary
};

class OrderedOutput
{
  public:
    // At most `window` results wait for the files before them.
    OrderedOutput(std::ostream& out, std::ostream& err, std::size_t window);

    // Blocks while file `index` is a whole window ahead of the next to print.
    void WaitForRoom(std::size_t index);
    // Hands over file `index`'s result; prints it now if its turn has come.
    void Deliver(std::size_t index, FileOutcome outcome);
    // Writes the standard output still buffered, once every file is delivered.
    void Finish();

    // 0 when every file gave 0, else the code of the first file in input
    // order that did not.
    int ExitCode() const { return m_exitCode; }
    const std::string& SummaryRows() const { return m_summaryRows; }

  private:
    void Print(const FileOutcome& outcome);
    void WriteBuffered();

    std::ostream& m_out;
    std::ostream& m_err;
    std::mutex m_mutex;
    std::condition_variable m_room;
    std::map<std::size_t, FileOutcome> m_waiting; // delivered before their turn
    std::size_t m_next = 0;                       // the next file to print
    std::size_t m_window;
    int m_blockedWorkers = 0;
    std::string m_buffered; // standard output, written in blocks rather than a line at a time
    int m_exitCode = 0;
    std::string m_summaryRows;
};

} // namespace tovarin
