#pragma once
// The file commands' platform on Qt: save and open dialogs, a choice from a
// list, and a message box captioned with the application's name.

#include "FilePlatform.h"

class QWidget;

namespace tovarin {

class QtFilePlatform : public IFilePlatform
{
  public:
    explicit QtFilePlatform(QWidget* owner) : m_owner(owner) {}

    std::optional<std::string> AskSavePath(const std::string& initialName,
                                           const std::string& defaultExtension) override;
    std::optional<std::string> AskOpenPath() override;
    std::optional<int> AskChoice(const std::string& question,
                                 const std::vector<std::string>& choices) override;
    void ShowMessage(const std::string& text) override;

  private:
    QWidget* m_owner;
};

} // namespace tovarin
