#include "TableLayoutForm.h"

#include "BreakpointList.h"
#include "JsonText.h"
#include "TableFormats.h"

#include <QComboBox>
#include <QDialog>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QSettings>
#include <QSpinBox>

namespace tovarin {
namespace {

constexpr const char* kLayoutKey = "table/layout";
constexpr const char* kBreakpointsKey = "table/breakpoints";
constexpr const char* kPlaceCountKey = "table/placeCount";
constexpr const char* kFormatKey = "table/format";
// The form computes the error as the count changes: a few thousand segments
// at most keep that instant.
constexpr int kMaxPlacedInWindow = 4096;

constexpr const char* kLayoutNames[] = {"even", "explicit", "placed"};
constexpr const char* kLayoutLabels[] = {"Evenly spaced (Number of Points)", "Explicit list",
                                         "Placed on the fit"};
constexpr const char* kFormatLabels[] = {"DW lines (.inc)", "CSV (.csv)", "Tab-separated (.tsv)",
                                         "C arrays (.h)"};

std::string ListText(const std::vector<double>& breakpoints)
{
    std::string text;
    for (const double b : breakpoints)
        text += (text.empty() ? "" : ",") + JsonNumber(b);
    return text;
}

} // namespace

TableLayout RememberedTableLayout()
{
    const QSettings remembered;
    TableLayout layout;
    const QString name = remembered.value(QString::fromLatin1(kLayoutKey)).toString();
    for (std::size_t i = 0; i < std::size(kLayoutNames); ++i)
        if (name == QString::fromLatin1(kLayoutNames[i]))
            layout.layout = static_cast<BreakpointLayout>(i);
    const std::string list =
        remembered.value(QString::fromLatin1(kBreakpointsKey)).toString().toStdString();
    if (!list.empty() && ParseBreakpointList(list, ',', layout.breakpoints))
        layout.breakpoints.clear(); // a list no form accepted
    if (layout.layout == BreakpointLayout::Explicit && layout.breakpoints.empty())
        layout.layout = BreakpointLayout::Even;
    const int count = remembered.value(QString::fromLatin1(kPlaceCountKey), 32).toInt();
    layout.placeCount = count >= 2 && count <= kMaxPlacedInWindow ? count : 32;
    layout.format =
        TableFormatNamed(remembered.value(QString::fromLatin1(kFormatKey)).toString().toStdString())
            .value_or(TableFormat::Dw);
    return layout;
}

std::optional<TableLayout> AskTableLayout(QWidget* owner, const TableLayout& current,
                                          const LayoutDescriber& describe)
{
    QDialog form(owner);
    form.setWindowTitle(QStringLiteral("Table layout"));
    auto* rows = new QFormLayout(&form);
    auto* layouts = new QComboBox;
    for (const char* label : kLayoutLabels)
        layouts->addItem(QString::fromLatin1(label));
    layouts->setCurrentIndex(static_cast<int>(current.layout));
    auto* list = new QLineEdit(QString::fromStdString(ListText(current.breakpoints)));
    list->setPlaceholderText(QStringLiteral("ascending responses: 0.5,1,2.25"));
    auto* count = new QSpinBox;
    count->setRange(2, kMaxPlacedInWindow);
    count->setValue(current.placeCount);
    auto* formats = new QComboBox;
    for (const char* label : kFormatLabels)
        formats->addItem(QString::fromLatin1(label));
    formats->setCurrentIndex(static_cast<int>(current.format));
    auto* achieved = new QLabel;
    achieved->setWordWrap(true);
    rows->addRow(QStringLiteral("Breakpoints"), layouts);
    rows->addRow(QStringLiteral("Responses"), list);
    rows->addRow(QStringLiteral("Number placed"), count);
    rows->addRow(QStringLiteral("Format"), formats);
    rows->addRow(achieved);

    // The layout as the form shows it; the reason when the list is unusable.
    const auto read = [=](TableLayout& layout) {
        layout.layout = static_cast<BreakpointLayout>(layouts->currentIndex());
        layout.placeCount = count->value();
        layout.format = static_cast<TableFormat>(formats->currentIndex());
        const std::string text = list->text().toStdString();
        std::optional<std::string> problem;
        if (layout.layout == BreakpointLayout::Explicit || !text.empty())
            problem = ParseBreakpointList(text, ',', layout.breakpoints);
        return layout.layout == BreakpointLayout::Explicit ? problem : std::nullopt;
    };
    const auto update = [=] {
        TableLayout layout;
        const std::optional<std::string> problem = read(layout);
        list->setEnabled(layout.layout == BreakpointLayout::Explicit);
        count->setEnabled(layout.layout == BreakpointLayout::Placed);
        achieved->setText(
            QString::fromStdString(problem ? "Responses: " + *problem : describe(layout)));
    };
    QObject::connect(layouts, &QComboBox::currentIndexChanged, &form, update);
    QObject::connect(formats, &QComboBox::currentIndexChanged, &form, update);
    QObject::connect(count, &QSpinBox::valueChanged, &form, update);
    QObject::connect(list, &QLineEdit::textChanged, &form, update);
    update();

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
    QObject::connect(buttons, &QDialogButtonBox::accepted, &form, &QDialog::accept);
    QObject::connect(buttons, &QDialogButtonBox::rejected, &form, &QDialog::reject);
    rows->addRow(buttons);
    while (form.exec() == QDialog::Accepted) {
        TableLayout layout;
        if (const std::optional<std::string> problem = read(layout)) {
            QMessageBox::warning(&form, form.windowTitle(),
                                 QString::fromStdString("Responses: " + *problem));
            continue;
        }
        QSettings remembered;
        remembered.setValue(QString::fromLatin1(kLayoutKey),
                            QString::fromLatin1(kLayoutNames[static_cast<int>(layout.layout)]));
        remembered.setValue(QString::fromLatin1(kBreakpointsKey), list->text());
        remembered.setValue(QString::fromLatin1(kPlaceCountKey), layout.placeCount);
        remembered.setValue(QString::fromLatin1(kFormatKey),
                            QString::fromLatin1(TableFormatName(layout.format)));
        return layout;
    }
    return std::nullopt;
}

} // namespace tovarin
