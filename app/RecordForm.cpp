#include "RecordForm.h"

#include "BudgetInputText.h"

#include <QComboBox>
#include <QDialog>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSettings>

namespace tovarin {
namespace {

// The budget's fields: their label, Qt settings key and placeholder.
struct BudgetField
{
    const char* label;
    const char* key;
    const char* placeholder;
};

constexpr BudgetField kBudgetFields[] = {
    {"Reference U (k = 2)", "budget/reference", "% of reading[,g/s], e.g. 0.5 or 0.25,0.01"},
    {"Response meter U (k = 2)", "budget/response", "% of reading[,V or Hz], e.g. 0.05,0.001"},
    {"Response resolution", "budget/resolution", "V or Hz, e.g. 0.001"},
    {"CMC (% of reading)", "budget/cmc", "the laboratory's capability, e.g. 0.5"}};

// The inputs from the texts, or the label of the first that does not read.
std::optional<std::string> ReadBudget(const std::vector<QLineEdit*>& edits, BudgetInputs& inputs)
{
    std::optional<ReadingUncertainty>* readings[] = {&inputs.reference, &inputs.response};
    std::optional<double>* amounts[] = {&inputs.resolution, &inputs.cmcPct};
    for (std::size_t i = 0; i < edits.size(); ++i) {
        const std::string text = edits[i]->text().trimmed().toStdString();
        if (text.empty())
            continue;
        const bool read = i < 2 ? (*readings[i] = ReadReadingUncertainty(text)).has_value()
                                : (*amounts[i - 2] = ReadUncertaintyAmount(text)).has_value();
        if (!read)
            return std::string(kBudgetFields[i].label) + ": '" + text +
                   (i < 2 ? "' is not PCT or PCT,ABS (decimal numbers from 0 up)"
                          : "' is not a decimal number from 0 up");
    }
    return std::nullopt;
}

} // namespace

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
    // The uncertainty budget: the laboratory's, so remembered.
    std::vector<QLineEdit*> budgetEdits;
    for (const BudgetField& field : kBudgetFields) {
        auto* edit = new QLineEdit(remembered.value(QString::fromLatin1(field.key)).toString());
        edit->setPlaceholderText(QString::fromLatin1(field.placeholder));
        layout->addRow(QString::fromLatin1(field.label), edit);
        budgetEdits.push_back(edit);
    }
    auto* rule = new QComboBox;
    rule->addItems({QStringLiteral("simple: the flow error against its limit"),
                    QStringLiteral("guarded: |flow error| + U within the limit")});
    rule->setCurrentIndex(remembered.value(QStringLiteral("budget/rule")).toString() ==
                                  QStringLiteral("guarded")
                              ? 1
                              : 0);
    layout->addRow(QStringLiteral("Decision rule"), rule);
    auto* problem = new QLabel;
    problem->setStyleSheet(QStringLiteral("color: #b00000"));
    layout->addRow(problem);
    BudgetInputs budget;
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
    QObject::connect(buttons, &QDialogButtonBox::accepted, &form, [&] {
        budget = BudgetInputs{};
        if (const std::optional<std::string> bad = ReadBudget(budgetEdits, budget)) {
            problem->setText(QString::fromStdString(*bad)); // the form stays open
            return;
        }
        budget.guarded = rule->currentIndex() == 1;
        form.accept();
    });
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
    for (std::size_t i = 0; i < budgetEdits.size(); ++i)
        remembered.setValue(QString::fromLatin1(kBudgetFields[i].key),
                            budgetEdits[i]->text().trimmed());
    remembered.setValue(QStringLiteral("budget/rule"),
                        budget.guarded ? QStringLiteral("guarded") : QStringLiteral("simple"));
    return RecordRequest{identity, previous->text().toStdString(), budget};
}

} // namespace tovarin
