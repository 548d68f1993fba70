#include "QtFilePlatform.h"

#include <QCoreApplication>
#include <QFileDialog>
#include <QMessageBox>

namespace tovarin {

std::optional<std::string> QtFilePlatform::AskSavePath(const std::string& initialName,
                                                       const std::string& defaultExtension)
{
    QFileDialog dialog(m_owner);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setDefaultSuffix(QString::fromStdString(defaultExtension));
    dialog.selectFile(QString::fromStdString(initialName));
    // Replacing an existing file is confirmed (the dialog's default).
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return std::nullopt;
    return dialog.selectedFiles().constFirst().toStdString();
}

void QtFilePlatform::ShowMessage(const std::string& text)
{
    QMessageBox box(QMessageBox::NoIcon, QCoreApplication::applicationName(),
                    QString::fromStdString(text), QMessageBox::Ok, m_owner);
    box.exec();
}

} // namespace tovarin
