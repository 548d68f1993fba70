#pragma once
// The output commands' platform on Qt: a save dialog and a message box
// captioned with the application's name.

#include "FilePlatform.h"

class QWidget;

namespace tovarin {

class QtFilePlatform : public IFilePlatform
{
  public:
    explicit QtFilePlatform(QWidget* owner) : m_owner(owner) {}

    std::optional<std::string> AskSavePath(const std::string& initialName,
                                           const std::string& defaultExtension) override;
    void ShowMessage(const std::string& text) override;

  private:
    QWidget* m_owner;
};

} // namespace tovarin
