#pragma once
// What the window's file commands need of the platform: save and open
// dialogs, a choice from a list, and a message box. The window implements both with its toolkit;
// tests replace them. The files themselves are written through the safe writer (AtomicFile.h).

#include <optional>
#include <string>
#include <vector>

namespace tovarin {

class IFilePlatform
{
  public:
    virtual ~IFilePlatform() = default;
    // Save dialog with an initial name and a default extension (added to a
    // name typed without one), confirming before replacing. Empty on cancel.
    virtual std::optional<std::string> AskSavePath(const std::string& initialName,
                                                   const std::string& defaultExtension) = 0;
    // Open dialog for an existing file; empty on cancel.
    virtual std::optional<std::string> AskOpenPath() = 0;
    // One of `choices` (its index), asked with `question`; empty on cancel.
    virtual std::optional<int> AskChoice(const std::string& question,
                                         const std::vector<std::string>& choices) = 0;
    // Modal message box with an OK button; the caption is the application's name.
    virtual void ShowMessage(const std::string& text) = 0;
};

} // namespace tovarin
