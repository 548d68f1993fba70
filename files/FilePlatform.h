#pragma once
// What the output commands need of the platform: a save dialog, a message box
// and file creation. The window implements the dialogs with its toolkit; tests
// replace all three. PosixOutputFile is the real file for every host.

#include <memory>
#include <optional>
#include <string>
#include <string_view>

namespace tovarin {

// A created file receiving bytes untranslated.
class IOutputFile
{
  public:
    virtual ~IOutputFile() = default;
    // False once any write failed; `Error` then says why.
    virtual bool Write(std::string_view bytes) = 0;
    virtual bool Close() = 0;
    virtual std::string Error() const = 0;
};

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
    // Creates `path` for writing, emptying an existing file; null on failure.
    virtual std::unique_ptr<IOutputFile> CreateOutputFile(const std::string& path) = 0;
};

// Creates `path` (emptying an existing file) as a buffered stream; null with
// `error` set when it cannot be created.
std::unique_ptr<IOutputFile> CreatePosixOutputFile(const std::string& path, std::string& error);

} // namespace tovarin
