#pragma once
// The file platform of the output commands without dialogs: the save dialog
// answers `answer`, messages are recorded, files are real.

#include "FilePlatform.h"

#include <string>
#include <vector>

class FakePlatform : public tovarin::IFilePlatform
{
  public:
    std::optional<std::string> answer; // the save dialog's result; empty is Cancel
    bool canCreate = true;
    std::vector<std::string> calls; // "ask <name> .<ext>", "create <path>", "message <text>"
    std::vector<std::string> messages;

    std::optional<std::string> AskSavePath(const std::string& initialName,
                                           const std::string& defaultExtension) override
    {
        calls.push_back("ask " + initialName + " ." + defaultExtension);
        return answer;
    }
    void ShowMessage(const std::string& text) override
    {
        calls.push_back("message " + text);
        messages.push_back(text);
    }
    std::unique_ptr<tovarin::IOutputFile> CreateOutputFile(const std::string& path) override
    {
        calls.push_back("create " + path);
        std::string error;
        return canCreate ? tovarin::CreatePosixOutputFile(path, error) : nullptr;
    }
};
