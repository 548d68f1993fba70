// What the dialog hands out beyond the table and the report: the calibration record
// of the last run and each chart as SVG or PNG.

#include "ReducerDlg.h"

#include "AtomicFile.h"
#include "CalibrationRecord.h"
#include "OutputCommands.h"
#include "PreviousCalibration.h"
#include "PreviousCalibrationFile.h"
#include "RecordForm.h"
#include "ResultText.h"
#include "Version.h"

#include <QApplication>
#include <QContextMenuEvent>
#include <QDateTime>
#include <QMenu>

#include <algorithm>
#include <thread>

namespace tovarin {

void CReducerDlg::OnSaveCalibrationRecord()
{
    if (const std::optional<std::string> blocked = OutputsBlocked()) {
        Platform().ShowMessage(*blocked);
        return;
    }
    const std::optional<RecordRequest> asked = m_askIdentity(this);
    if (!asked)
        return;
    // The drift against the previous calibration, when one is named.
    std::optional<Drift> drift;
    if (!asked->previousCalibration.empty()) {
        std::string error;
        drift = CompareWithPrevious(asked->previousCalibration, m_current, m_thresholds.idleFlowGs,
                                    error);
        if (!drift) {
            Platform().ShowMessage(error);
            return;
        }
    }
    std::string name = m_current.set.meterType.empty() ? "calibration" : m_current.set.meterType;
    if (!asked->identity.serial.empty())
        name += "-" + asked->identity.serial;
    const std::optional<std::string> path = Platform().AskSavePath(name + ".html", "html");
    if (!path)
        return;
    RecordIdentity identity = asked->identity;
    identity.reducedAtUtc = IsoUtc(QDateTime::currentSecsSinceEpoch());
    identity.program = kWindowCaption;
    // The output parameters on screen, as "Generate Output File" would read them.
    const OutputParameters output = LaidOutOutput();
    BudgetInputs budget = asked->budget;
    budget.threads = static_cast<int>(std::max(1u, std::thread::hardware_concurrency()));
    QApplication::setOverrideCursor(Qt::WaitCursor); // a Monte Carlo may take seconds
    const Verdict verdict = JudgeCalibration(m_current, output, m_thresholds, budget);
    QApplication::restoreOverrideCursor();
    const std::string& previous = asked->previousCalibration;
    const std::string json =
        FormatRunJson(m_current, m_shownFields, verdict, drift ? DriftJson(*drift, previous) : "");
    const FileResult written = WriteFileAtomically(
        *path, FormatCalibrationRecord(m_current, verdict, identity, json, drift, previous));
    if (!written.ok)
        Platform().ShowMessage(CannotOpenMessage(written));
}

void CReducerDlg::OnTableLayout()
{
    const LayoutDescriber describe = [this](const TableLayout& layout) {
        return LayoutErrorText(layout, m_current, m_thresholds.idleFlowGs,
                               ReadOutputParameters(OutputParameterTexts(), m_output));
    };
    if (const std::optional<TableLayout> layout = m_askTableLayout(this, m_tableLayout, describe)) {
        m_tableLayout = *layout;
        RefreshStrip(); // the table judged in its new layout
    }
}

OutputParameters CReducerDlg::LaidOutOutput(std::optional<std::string>* problem) const
{
    const OutputParameters onScreen = ReadOutputParameters(OutputParameterTexts(), m_output);
    OutputParameters output = onScreen;
    std::optional<std::string> why =
        ApplyTableLayout(m_tableLayout, m_current, m_thresholds.idleFlowGs, output);
    if (why) {
        output = onScreen;
        output.tableFormat = m_tableLayout.format;
    }
    if (problem)
        *problem = std::move(why);
    return output;
}

void CReducerDlg::OnLimits()
{
    if (const std::optional<CheckThresholds> limits = m_askLimits(this, m_thresholds)) {
        m_thresholds = *limits;
        RefreshStrip(); // the last run judged by the new limits
    }
}

void CReducerDlg::contextMenuEvent(QContextMenuEvent* event)
{
    for (const auto& [chart, role] : {std::pair{m_responseChart.get(), ChartRole::Response},
                                      std::pair{m_errorChart.get(), ChartRole::Error}}) {
        const Rect r = chart ? chart->GetChartRect() : Rect{};
        const QPoint at = m_content->mapFrom(this, event->pos()); // the pane may scroll
        if (!QRect(r.left, r.top, r.right - r.left, r.bottom - r.top).contains(at))
            continue;
        QMenu menu(this);
        QAction* svg = menu.addAction(QStringLiteral("Save Chart as SVG..."));
        QAction* png = menu.addAction(QStringLiteral("Save Chart as PNG..."));
        const QAction* chosen = menu.exec(event->globalPos());
        if (chosen == svg)
            SaveChart(role, true);
        else if (chosen == png)
            SaveChart(role, false);
        return;
    }
    QDialog::contextMenuEvent(event);
}

void CReducerDlg::SaveChart(ChartRole role, bool asSvg)
{
    const std::optional<std::string> path = Platform().AskSavePath(
        role == ChartRole::Response ? "response-chart" : "error-chart", asSvg ? "svg" : "png");
    if (!path)
        return;
    if (asSvg) {
        const FileResult written =
            WriteFileAtomically(*path, RunChartSvg(m_shown, role, m_plots.responseSpec != nullptr));
        if (!written.ok)
            Platform().ShowMessage(CannotOpenMessage(written));
        return;
    }
    // The pixels on screen, at the window's device pixel ratio.
    const Rect r = (role == ChartRole::Response ? m_responseChart : m_errorChart)->GetChartRect();
    if (!m_content->grab(QRect(r.left, r.top, r.right - r.left, r.bottom - r.top))
             .save(QString::fromStdString(*path), "PNG"))
        Platform().ShowMessage(
            CannotOpenMessage(FileResult::Failure(*path, "the image could not be written")));
}

} // namespace tovarin
