#include "QtFilePlatform.h"

#include <QCoreApplication>
#include <QFileDialog>
#include <QInputDialog>
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

std::optional<std::string> QtFilePlatform::AskOpenPath()
{
    const QString path = QFileDialog::getOpenFileName(
        m_owner, QStringLiteral("Open measurements"), QString(),
        QStringLiteral("Bench files (*.csv *.txt *.tsv *.dat);;All files (*)"));
    if (path.isEmpty())
        return std::nullopt;
    return path.toStdString();
}

std::optional<int> QtFilePlatform::AskChoice(const std::string& question,
                                             const std::vector<std::string>& choices)
{
    QStringList items;
    for (const std::string& choice : choices)
        items << QString::fromStdString(choice);
    bool chosen = false;
    const QString item =
        QInputDialog::getItem(m_owner, QCoreApplication::applicationName(),
                              QString::fromStdString(question), items, 0, false, &chosen);
    if (!chosen)
        return std::nullopt;
    return static_cast<int>(items.indexOf(item));
}

void QtFilePlatform::ShowMessage(const std::string& text)
{
    QMessageBox box(QMessageBox::NoIcon, QCoreApplication::applicationName(),
                    QString::fromStdString(text), QMessageBox::Ok, m_owner);
    box.exec();
}

} // namespace tovarin
