// The window's model of flow in response: the list in the status strip
// (remembered in the user's settings), the settings every run compares the
// models with, and the coefficient frame and tooltips that say which model
// the shown coefficients belong to.

#include "ReducerDlg.h"

#include "ControlIds.h"
#include "ModelText.h"
#include "VerdictSummary.h"

#include <QComboBox>
#include <QGroupBox>
#include <QLineEdit>
#include <QSettings>

namespace tovarin {
namespace {

constexpr const char* kModelSettingsKey = "model/choice";

struct ModelEntry
{
    ModelChoice choice;
    const char* label;
};
// King's equation first, as the command's --model lists them.
constexpr ModelEntry kModelEntries[] = {
    {ModelChoice::King, "King's equation"}, {ModelChoice::KingOffset, "King + flow offset"},
    {ModelChoice::Poly, "Polynomial"},      {ModelChoice::Monotone, "Monotone"},
    {ModelChoice::Best, "Best predictor"},
};

// What the three coefficient fields show under each model.
const char* CoefficientsCaption(ModelKind kind)
{
    switch (kind) {
    case ModelKind::King:
        break;
    case ModelKind::KingOffset:
        return "King with Flow Offset: A, B, C (q0 in the tooltips)";
    case ModelKind::Poly:
        return "Polynomial Q(R): p0, p1, p2 (all in the tooltips)";
    case ModelKind::Monotone:
        return "Monotone Knots: first three responses (all in the tooltips)";
    }
    return kCoefficientsCaption;
}

} // namespace

void CReducerDlg::CreateModelList(int left, int top, int width)
{
    m_modelList = new QComboBox(m_content);
    for (const ModelEntry& entry : kModelEntries)
        m_modelList->addItem(QString::fromLatin1(entry.label));
    m_modelList->setToolTip(QStringLiteral(
        "The model of flow in response the outputs use; every run compares them all.\n"
        "Best predictor takes the one with the smallest leave-one-out flow error."));
    m_modelList->setGeometry(left, top, width, kStatusStripHeight);
    const std::string remembered =
        QSettings().value(QString::fromLatin1(kModelSettingsKey)).toString().toStdString();
    const ModelChoice choice = ModelChoiceNamed(remembered).value_or(ModelChoice::King);
    for (std::size_t i = 0; i < std::size(kModelEntries); ++i)
        if (kModelEntries[i].choice == choice)
            m_modelList->setCurrentIndex(static_cast<int>(i));
    connect(m_modelList, &QComboBox::currentIndexChanged, this, [this] {
        QSettings().setValue(QString::fromLatin1(kModelSettingsKey),
                             QString::fromLatin1(ModelChoiceName(SelectedModel())));
        RefreshStrip(); // another model makes the results out of date
    });
}

ModelChoice CReducerDlg::SelectedModel() const
{
    const int index = m_modelList ? m_modelList->currentIndex() : 0;
    return index >= 0 && index < static_cast<int>(std::size(kModelEntries))
               ? kModelEntries[index].choice
               : ModelChoice::King;
}

ModelSettings CReducerDlg::ModelSettingsOfRun() const
{
    const OutputParameters output = ReadOutputParameters(OutputParameterTexts(), m_output);
    return {.choice = SelectedModel(),
            .compare = true,
            .idleFlowGs = m_thresholds.idleFlowGs,
            .maxFlowErrorPct = m_thresholds.maxFlowErrorPct,
            .tableLow = output.responseMin,
            .tableHigh = output.responseMax};
}

void CReducerDlg::ShowModelOfFit(const FitQuality& quality)
{
    const ModelKind kind = m_shown.model.kind;
    m_coefficientFrame->setTitle(QString::fromLatin1(CoefficientsCaption(kind)));
    const int ids[] = {kCoefficientAId, kCoefficientBId, kCoefficientCId};
    if (kind != ModelKind::King) {
        const QString all =
            QString::fromStdString(std::string("Parameters of ") + ModelTitle(kind) + ":\n" +
                                   ModelParametersText(m_shown.model, "\n"));
        for (const int id : ids)
            m_edits.at(id)->setToolTip(all);
        return;
    }
    const KingCoefficients& k = m_shown.coefficients;
    const std::optional<CoefficientUncertainty>& u = quality.uncertainty;
    const std::pair<double, std::optional<double>> values[] = {
        {k.a, u ? std::optional(u->a) : std::nullopt},
        {k.b, u ? std::optional(u->b) : std::nullopt},
        {k.c, u ? std::optional(u->c) : std::nullopt}};
    for (std::size_t i = 0; i < std::size(ids); ++i)
        m_edits.at(ids[i])->setToolTip(
            QString::fromStdString(CoefficientTooltip(values[i].first, values[i].second)));
}

} // namespace tovarin
