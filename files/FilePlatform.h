#pragma once
// What the output commands need of the platform: a save dialog and a message
// box. The window implements both with its toolkit; tests replace them. The
// files themselves are written through the safe writer (AtomicFile.h).

#include <optional>
#include <string>

namespace tovarin {

class IFilePlatform
{
  public:
    virtual ~IFilePlatform() = default;
    // Save dialog with an initial name and a default extension (added to a
    // name typed without one), confirming before replacing. Empty on cancel.
    virtual std::optional<std::string> AskSavePath(const std::string& initialName,
                                                   const std::string& defaultExtension) = 0;
    // Modal message box with an OK button; the caption is the application's name.
    virtual void ShowMessage(const std::string& text) = 0;
};

} // namespace tovarin
