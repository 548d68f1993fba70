#pragma once
// The output commands' platform without dialogs: the save dialog answers
// `answer` and messages are recorded.

#include "FilePlatform.h"

#include <string>
#include <vector>

class FakePlatform : public tovarin::IFilePlatform
{
  public:
    std::optional<std::string> answer; // the save dialog's result; empty is Cancel
    int dialogs = 0;
    std::vector<std::string> messages;

    std::optional<std::string> AskSavePath(const std::string&, const std::string&) override
    {
        ++dialogs;
        return answer;
    }
    void ShowMessage(const std::string& text) override { messages.push_back(text); }
};
