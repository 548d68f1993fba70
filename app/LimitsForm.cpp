#include "LimitsForm.h"

#include "Limits.h"

#include <QDialog>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLineEdit>
#include <QMessageBox>
#include <QSettings>

namespace tovarin {
namespace {

// The texts with their labels and settings keys, in the form's order.
struct LimitField
{
    const char* label;
    const char* key;
    std::string LimitTexts::*text;
};
constexpr LimitField kFields[] = {
    {"Idle flow (g/s)", "limits/idleFlowGs", &LimitTexts::idleFlowGs},
    {"Largest flow error (%)", "limits/maxFlowErrorPct", &LimitTexts::maxFlowErrorPct},
    {"Largest word", "limits/maxWord", &LimitTexts::maxWord},
    {"Largest table error (%)", "limits/maxTableErrorPct", &LimitTexts::maxTableErrorPct},
};

} // namespace

CheckThresholds RememberedLimits()
{
    const QSettings remembered;
    LimitTexts texts = FormatLimits({});
    for (const LimitField& field : kFields)
        texts.*field.text =
            remembered
                .value(QString::fromLatin1(field.key), QString::fromStdString(texts.*field.text))
                .toString()
                .toStdString();
    std::string error;
    return ReadLimits(texts, error).value_or(CheckThresholds{});
}

std::optional<CheckThresholds> AskLimits(QWidget* owner, const CheckThresholds& current)
{
    QDialog form(owner);
    form.setWindowTitle(QStringLiteral("Limits of the checks"));
    auto* layout = new QFormLayout(&form);
    const LimitTexts shown = FormatLimits(current);
    std::vector<QLineEdit*> edits;
    for (const LimitField& field : kFields) {
        auto* edit = new QLineEdit(QString::fromStdString(shown.*field.text));
        layout->addRow(QString::fromLatin1(field.label), edit);
        edits.push_back(edit);
    }
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
    QObject::connect(buttons, &QDialogButtonBox::accepted, &form, &QDialog::accept);
    QObject::connect(buttons, &QDialogButtonBox::rejected, &form, &QDialog::reject);
    layout->addRow(buttons);
    while (form.exec() == QDialog::Accepted) {
        LimitTexts texts;
        for (std::size_t i = 0; i < edits.size(); ++i)
            texts.*kFields[i].text = edits[i]->text().toStdString();
        std::string error;
        if (const std::optional<CheckThresholds> limits = ReadLimits(texts, error)) {
            QSettings remembered;
            for (std::size_t i = 0; i < edits.size(); ++i)
                remembered.setValue(QString::fromLatin1(kFields[i].key), edits[i]->text());
            return limits;
        }
        QMessageBox::warning(&form, form.windowTitle(), QString::fromStdString(error));
    }
    return std::nullopt;
}

} // namespace tovarin
