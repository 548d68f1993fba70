#include "RecordForm.h"

#include <QDialog>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QSettings>

namespace tovarin {

std::optional<RecordRequest> AskRecordIdentity(QWidget* owner)
{
    QDialog form(owner);
    form.setWindowTitle(QStringLiteral("Calibration record"));
    auto* layout = new QFormLayout(&form);
    QSettings remembered; // the user's own settings of this application
    RecordIdentity identity;
    // The serial and the note belong to one sensor: never offered again.
    const std::tuple<const char*, std::string*, bool> fields[] = {
        {"Serial number", &identity.serial, false},
        {"Operator", &identity.operatorName, true},
        {"Reference standard", &identity.reference, true},
        {"Conditions", &identity.conditions, true},
        {"Note", &identity.note, false}};
    std::vector<QLineEdit*> edits;
    for (const auto& [label, value, remember] : fields) {
        auto* edit = new QLineEdit(
            remember ? remembered.value(QStringLiteral("record/") + label).toString() : QString());
        edit->setMinimumWidth(320);
        layout->addRow(QString::fromLatin1(label), edit);
        edits.push_back(edit);
    }
    // The previous calibration belongs to one sensor: not remembered.
    auto* previous = new QLineEdit;
    auto* browse = new QPushButton(QStringLiteral("Browse..."));
    QObject::connect(browse, &QPushButton::clicked, &form, [&] {
        const QString path = QFileDialog::getOpenFileName(
            &form, QStringLiteral("Previous calibration"), QString(),
            QStringLiteral("Records and JSON (*.html *.json);;All files (*)"));
        if (!path.isEmpty())
            previous->setText(path);
    });
    auto* previousRow = new QHBoxLayout;
    previousRow->addWidget(previous);
    previousRow->addWidget(browse);
    layout->addRow(QStringLiteral("Previous calibration"), previousRow);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
    QObject::connect(buttons, &QDialogButtonBox::accepted, &form, &QDialog::accept);
    QObject::connect(buttons, &QDialogButtonBox::rejected, &form, &QDialog::reject);
    layout->addRow(buttons);
    if (form.exec() != QDialog::Accepted)
        return std::nullopt;
    for (std::size_t i = 0; i < edits.size(); ++i) {
        const auto& [label, value, remember] = fields[i];
        *value = edits[i]->text().toStdString();
        if (remember)
            remembered.setValue(QStringLiteral("record/") + label, edits[i]->text());
    }
    return RecordRequest{identity, previous->text().toStdString()};
}

} // namespace tovarin
