#pragma once
// The file commands' platform without dialogs: the save dialog answers
// `answer`, the open dialog `openAnswer`, each choice the next of `choices`,
// and messages are recorded.

#include "FilePlatform.h"

#include <string>
#include <vector>

class FakePlatform : public tovarin::IFilePlatform
{
  public:
    std::optional<std::string> answer; // the save dialog's result; empty is Cancel
    int dialogs = 0;
    std::vector<std::string> messages;
    std::optional<std::string> openAnswer;
    std::vector<int> choices;           // answered in turn; none left is Cancel
    std::vector<std::string> questions; // each question with its choices

    std::optional<std::string> AskSavePath(const std::string&, const std::string&) override
    {
        ++dialogs;
        return answer;
    }
    std::optional<std::string> AskOpenPath() override { return openAnswer; }
    std::optional<int> AskChoice(const std::string& question,
                                 const std::vector<std::string>& options) override
    {
        std::string asked = question;
        for (const std::string& option : options)
            asked += "|" + option;
        questions.push_back(asked);
        if (choices.empty())
            return std::nullopt;
        const int choice = choices.front();
        choices.erase(choices.begin());
        return choice;
    }
    void ShowMessage(const std::string& text) override { messages.push_back(text); }
};
