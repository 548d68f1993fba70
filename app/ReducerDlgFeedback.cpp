// The dialog beyond single fields: a spreadsheet block pasted over several
// fields with one undo, the marks on fields whose text the run could not read
// as a whole, and the verdict of the last fit in the status strip and tooltips.

#include "ReducerDlg.h"

#include "ControlIds.h"
#include "FieldText.h"
#include "GridEdit.h"
#include "ModelText.h"
#include "NumberText.h"
#include "OutputCommands.h"
#include "ReadFile.h"
#include "RowInput.h"
#include "TabularText.h"
#include "VerdictSummary.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QLabel>

namespace tovarin {
namespace {

// Red frame and tint on the dialog's grey: visible, and the text stays black.
constexpr const char* kMarkStyle =
    "QLineEdit { border: 2px solid rgb(204, 0, 0); background: rgb(255, 226, 226); }";

} // namespace

void CReducerDlg::ConnectGridEdit(GridEdit* edit, int controlId)
{
    connect(edit, &GridEdit::pasteRequested, this, [this, controlId] { OnPasteInGrid(controlId); });
    connect(edit, &GridEdit::undoRequested, this, [this, edit] {
        if (!UndoLastPaste())
            edit->undo();
    });
    connect(edit, &GridEdit::fileDropped, this,
            [this](const QString& path) { OpenMeasurements(path.toStdString()); });
    // Typing makes the last paste a thing of the past for undo.
    connect(edit, &QLineEdit::textEdited, this, [this] { m_pasteUndo.clear(); });
}

void CReducerDlg::OnPasteInGrid(int controlId)
{
    const QString clipboard = QGuiApplication::clipboard()->text();
    const PastedBlock block = ParsePastedBlock(clipboard.toStdString());
    QLineEdit* target = m_edits.at(controlId);
    if (block.ValueCount() <= 1) { // one value pastes as plain text
        target->paste();
        return;
    }
    std::size_t startRow = 0;
    int startColumn = 0; // 0 flow, 1 response
    for (std::size_t row = 0; row < kRowControls.size(); ++row) {
        if (kRowControls[row].flow == controlId || kRowControls[row].response == controlId) {
            startRow = row;
            startColumn = kRowControls[row].flow == controlId ? 0 : 1;
        }
    }
    m_pasteUndo.clear();
    int leftOut = 0;
    for (std::size_t i = 0; i < block.rows.size(); ++i) {
        const std::size_t row = startRow + i;
        for (std::size_t j = 0; j < block.rows[i].size(); ++j) {
            if (block.rows[i][j].empty()) // an empty cell keeps its field, as in a spreadsheet
                continue;
            const int column = startColumn + static_cast<int>(j);
            if (row >= kRowControls.size() || column > 1) {
                ++leftOut;
                continue;
            }
            QLineEdit* edit =
                m_edits.at(column == 0 ? kRowControls[row].flow : kRowControls[row].response);
            m_pasteUndo.push_back({edit, edit->text()});
            edit->setText(QString::fromStdString(block.rows[i][j]));
        }
    }
    if (leftOut > 0)
        Platform().ShowMessage(FormatC("%d of the %d pasted values were left out: the grid ends at "
                                       "row 18 and at the response column.",
                                       leftOut, block.ValueCount()));
}

void CReducerDlg::OnOpenMeasurements()
{
    if (const std::optional<std::string> path = Platform().AskOpenPath())
        OpenMeasurements(*path);
}

bool CReducerDlg::OpenMeasurements(const std::string& path)
{
    std::string text;
    if (const FileResult read = ReadWholeFile(path, text); !read.ok) {
        Platform().ShowMessage(read.Message());
        return false;
    }
    std::optional<ColumnChoice> columns;
    if (const std::vector<std::string> names = ColumnsToChoose(text); !names.empty()) {
        const std::optional<int> flow = Platform().AskChoice("Which column holds the flow?", names);
        const std::optional<int> response =
            flow ? Platform().AskChoice("Which column holds the response?", names) : std::nullopt;
        if (!response)
            return false;
        columns =
            ColumnChoice{.flow = {.number = *flow + 1}, .response = {.number = *response + 1}};
    }
    const RowInput input = ParseRowInput(text, kMaxRows, columns);
    if (input.error) {
        Platform().ShowMessage(path + ":" + std::to_string(input.error->line) + ": " +
                               input.error->reason);
        return false;
    }
    // One undo restores the grid as it was.
    m_pasteUndo.clear();
    for (std::size_t row = 0; row < kRowControls.size(); ++row) {
        const bool given = row < input.rows.size();
        for (const auto& [id, value] :
             {std::pair{kRowControls[row].flow, given ? input.rows[row].flowText : "0"},
              std::pair{kRowControls[row].response, given ? input.rows[row].responseText : "0"}}) {
            QLineEdit* edit = m_edits.at(id);
            m_pasteUndo.push_back({edit, edit->text()});
            edit->setText(QString::fromStdString(value));
        }
    }
    return true;
}

bool CReducerDlg::UndoLastPaste()
{
    if (m_pasteUndo.empty())
        return false;
    for (const PastedField& field : m_pasteUndo)
        field.edit->setText(field.previousText);
    m_pasteUndo.clear();
    return true;
}

void CReducerDlg::MarkUnreadableFields()
{
    const RunInput& set = m_input;
    for (std::size_t row = 0; row < kRowControls.size(); ++row) {
        SetFieldMark(kRowControls[row].flow,
                     NumberFieldNote(GetFieldText(kRowControls[row].flow), set.typedFlow[row]));
        SetFieldMark(
            kRowControls[row].response,
            NumberFieldNote(GetFieldText(kRowControls[row].response), set.typedResponse[row]));
    }
    SetFieldMark(kResponseMinId,
                 NumberFieldNote(GetFieldText(kResponseMinId), m_output.responseMin));
    SetFieldMark(kResponseMaxId,
                 NumberFieldNote(GetFieldText(kResponseMaxId), m_output.responseMax));
    SetFieldMark(kPointCountId,
                 WholeNumberFieldNote(GetFieldText(kPointCountId), m_output.pointCount));
}

void CReducerDlg::SetFieldMark(int controlId, const std::optional<std::string>& note)
{
    if (note)
        m_marked.insert(controlId);
    else
        m_marked.erase(controlId);
    QLineEdit* edit = m_edits.at(controlId);
    edit->setStyleSheet(note ? QString::fromLatin1(kMarkStyle) : QString());
    edit->setToolTip(note ? QString::fromStdString(*note) : QString());
}

void CReducerDlg::ClearMarkWhenReadable(int controlId)
{
    QLineEdit* edit = m_edits.at(controlId);
    if (edit->toolTip().isEmpty())
        return;
    const std::string text = edit->text().toStdString();
    const bool readable =
        controlId == kPointCountId ? !WholeNumberFieldNote(text, 0) : !NumberFieldNote(text, 0.0);
    if (readable)
        SetFieldMark(controlId, std::nullopt);
}

bool CReducerDlg::ResultsOutOfDate() const
{
    // Retyping 12.5 as 12.50 reads the same input: no change.
    // So does another model: the fields show the model of the last run.
    return m_ran && (SelectedModel() != m_ranModel ||
                     !SameInput(ReadRunInput(TypedTexts(), m_input), m_input));
}

std::optional<std::string> CReducerDlg::OutputsBlocked() const
{
    if (!m_marked.empty())
        return std::string("A field was read only in part (framed in red): correct it and "
                           "press Run Test before writing.");
    if (ResultsOutOfDate())
        return std::string("The results are out of date: press Run Test before writing.");
    if (!HasUsableFit(m_current))
        return std::string(kNoFitMessage);
    return std::nullopt;
}

void CReducerDlg::RefreshStrip()
{
    if (!m_statusStrip)
        return; // the controls are still being made
    if (ResultsOutOfDate()) {
        m_statusStrip->setText(QString::fromLatin1(kOutOfDateStatus));
        m_statusStrip->setStyleSheet(QStringLiteral("QLabel { color: rgb(204, 0, 0); }"));
        return;
    }
    ShowVerdict();
}

void CReducerDlg::ShowVerdict()
{
    const FitQuality quality = AssessFit(m_shown);
    // The checks of this run, with the output parameters on screen now.
    const Verdict verdict = m_ran && m_current.outcome.fitted
                                ? JudgeCalibration(m_current, LaidOutOutput(), m_thresholds)
                                : Verdict{};
    const StatusLine status = !m_ran ? RunStatusLine(m_shown, verdict, m_thresholds)
                              : !m_current.outcome.fitted
                                  ? NoFitStatusLine(m_current)
                                  : RunStatusLine(m_current, verdict, m_thresholds);
    m_statusStrip->setText(QString::fromStdString(status.text));
    // The whole line, which the strip may cut, and the comparison of the models.
    std::string comparison =
        m_ran && m_current.outcome.fitted ? ModelComparisonText(m_current, verdict) : "";
    if (m_ran && m_current.outcome.fitted && m_tableLayout.layout != BreakpointLayout::Even)
        comparison += LayoutErrorText(m_tableLayout, m_current, m_thresholds.idleFlowGs,
                                      ReadOutputParameters(OutputParameterTexts(), m_output)) +
                      "\n";
    m_statusStrip->setToolTip(
        comparison.empty()
            ? QString::fromStdString(status.text)
            : "<p>" + QString::fromStdString(status.text).toHtmlEscaped() + "</p><pre>" +
                  QString::fromStdString(comparison).toHtmlEscaped() + "</pre>");
    m_statusStrip->setStyleSheet(status.alarm ? QStringLiteral("QLabel { color: rgb(204, 0, 0); }")
                                              : QString());
    for (std::size_t row = 0; row < kRowControls.size(); ++row)
        m_edits.at(kRowControls[row].errorPct)
            ->setToolTip(row < quality.rows.size()
                             ? QString::fromStdString(FlowErrorTooltip(quality, row))
                             : QString());
    if (m_shown.outcome.fitted)
        ShowModelOfFit(quality);
}

} // namespace tovarin
