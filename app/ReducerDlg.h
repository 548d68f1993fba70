#pragma once
// CReducerDlg: the program's only window. It lays out the controls of the
// dialog template, reads its fields into a RunInput for the core's Reduce
// and writes the formatted Reduction back, hosts the two charts as their
// IChartParent (drawing them with a QtCanvas when it paints) and routes the
// four commands to the core, the formats and the files.

#include "CalibrationRecord.h"
#include "Chart.h"
#include "DialogTemplate.h"
#include "FilePlatform.h"
#include "OutputParameters.h"
#include "RecordForm.h"
#include "Reduce.h"
#include "ResultFields.h"
#include "RunLog.h"
#include "RunPlots.h"
#include "ScreenInput.h"
#include "Settings.h"
#include "TableLayoutForm.h"

#include <QDialog>
#include <QIcon>

#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <set>
#include <vector>

class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;

namespace tovarin {

class CReducerDlg;
class GridEdit;
class QtCanvas;

// The pane the controls and the charts lie on, the template's size; the
// dialog draws the charts when it paints.
class ContentPane : public QWidget
{
  public:
    explicit ContentPane(CReducerDlg* dialog);

  protected:
    void paintEvent(QPaintEvent* event) override;

  private:
    CReducerDlg* m_dialog;
};

inline constexpr int kStatusStripHeight = 18; // pixels below the dialog template

inline constexpr const char* kRunLogFailureMessage =
    "Unable to open/write Tovarin.log file - Exiting...";

class CReducerDlg : public QDialog, public IChartParent
{
    Q_OBJECT

  public:
    explicit CReducerDlg(QWidget* parent = nullptr);
    ~CReducerDlg() override;

    // The opening sequence. When the run log cannot be opened it shows the
    // message with the log's path and the system's reason, calls the exit
    // handler with status 1 (a failure must not read as success) and returns false.
    bool OnInitDialog();

    // Commands.
    void OnRunTest();
    void OnGenerateOutputFile();
    void OnGenerateHtmlInfo();

    // Pasting into a grid field (Ctrl+V or its menu): a block of several
    // values fills the grid from that field down and right; one value pastes
    // as plain text. Undo (Ctrl+Z in the grid) restores every field it changed.
    void OnPasteInGrid(int controlId);
    bool UndoLastPaste();

    // "Open measurements..." in the status strip: a bench or spreadsheet file
    // (asking which two columns when it has more) fills the grid from row 0,
    // and the rows after its last are set to 0 so that the table ends there.
    // The units stay as selected. A file dropped on the grid opens the same
    // way. False, after a message, when the file cannot be used.
    void OnOpenMeasurements();
    bool OpenMeasurements(const std::string& path);

    // "Save calibration record..." in the status strip: asks who and what
    // for, then where, and writes the record of the last run with the output
    // parameters on screen.
    void OnSaveCalibrationRecord();
    void SaveChart(ChartRole role, bool asSvg);
    // "Limits..." in the status strip: the limits every run is judged by.
    void OnLimits();
    void SetLimitsProvider(
        std::function<std::optional<CheckThresholds>(QWidget*, const CheckThresholds&)> ask)
    {
        m_askLimits = std::move(ask);
    }
    const CheckThresholds& Limits() const { return m_thresholds; }
    // "Table layout..." in the status strip: the table's breakpoints and
    // format, which the table, the record and the strip's checks follow.
    void OnTableLayout();
    using TableLayoutProvider = std::function<std::optional<TableLayout>(
        QWidget*, const TableLayout&, const LayoutDescriber&)>;
    void SetTableLayoutProvider(TableLayoutProvider ask) { m_askTableLayout = std::move(ask); }
    const TableLayout& Layout() const { return m_tableLayout; }
    // Seam for tests: the form that asks for the record's identification.
    void SetRecordIdentityProvider(std::function<std::optional<RecordRequest>(QWidget*)> ask)
    {
        m_askIdentity = std::move(ask);
    }

    // A field's whole text (empty for an id that is no field), and the index
    // of a list's selection (-1 when none).
    std::string GetFieldText(int controlId) const;
    void SetFieldText(int controlId, const std::string& text);
    int GetListSelection(int listId) const;

    // IChartParent: a canvas only while the window paints.
    ICanvas* BeginDrawing() override;
    void EndDrawing() override {}
    void RequestRepaint(const Rect& area) override;
    void RepaintNow() override;
    FontMetrics MeasureFont(const ChartFont& font) override;

    // Seams for tests: dialogs and message boxes, and the process exit.
    void SetFilePlatform(IFilePlatform* platform) { m_pPlatform = platform; }
    void SetExitHandler(std::function<void(int)> exitHandler) { m_exit = std::move(exitHandler); }

    QWidget* Control(int id) const;
    QPushButton* Button(int id) const;
    QLabel* StatusStrip() const { return m_statusStrip; }
    // The model list in the strip: King's equation, the other models, best.
    QComboBox* ModelList() const { return m_modelList; }
    QGroupBox* CoefficientFrame() const { return m_coefficientFrame; }
    // The pane of every control, at (0, 0) of the window unless it scrolls.
    QWidget* ContentArea() const { return m_content; }
    void PaintCharts(QWidget* pane);
    CChart* ResponseChart() const { return m_responseChart.get(); }
    CChart* ErrorChart() const { return m_errorChart.get(); }
    // What the outputs are written from: the last run's table with the last
    // fit (CarryLastFit).
    const Reduction& CurrentCalibration() const { return m_shown; }
    const OutputParameters& StoredOutputParameters() const { return m_output; }
    const RunPlots& Plots() const { return m_plots; }

  protected:
    void paintEvent(QPaintEvent* event) override;
    void reject() override;                                   // Escape runs a test
    void closeEvent(QCloseEvent* event) override;             // so do the close box and Alt+F4
    void contextMenuEvent(QContextMenuEvent* event) override; // each chart: save as SVG or PNG

  private:
    static int TemplateHeight(); // pixels, without the status strip
    void CreateContentPane();
    void CreateControls();
    void CreateStatusStrip(); // the status, the model list and the links below the template
    // The model list at `left` of the strip, `width` pixels, with the
    // remembered choice selected; a new choice is remembered at once.
    void CreateModelList(int left, int top, int width);
    ModelChoice SelectedModel() const;
    // The models of a run: the selected one, always compared, judged by the
    // limits and over the table's range on screen.
    ModelSettings ModelSettingsOfRun() const;
    // The coefficient frame's caption and the coefficient fields' tooltips
    // for the model of the shown fit.
    void ShowModelOfFit(const FitQuality& quality);
    // The output parameters on screen in the chosen table layout, placed on
    // the last run's fit; `problem` says why the layout could not be applied
    // (the parameters are then those on screen, in the chosen format).
    OutputParameters LaidOutOutput(std::optional<std::string>* problem = nullptr) const;
    // Creates one control of the template; returns it when it is a tab stop.
    QWidget* CreateControl(const ControlTemplate& control);
    void ShowRestoredScreen(const SavedScreen& screen);
    ScreenTexts TypedTexts() const;
    OutputTexts OutputParameterTexts() const;
    void ShowResultFields(const ResultFieldTexts& texts);
    void CreateCharts();
    void WidenToShowTexts();
    void ConnectGridEdit(GridEdit* edit, int controlId);
    // Marks each number field whose text the run did not read as a whole.
    void MarkUnreadableFields();
    // Whether the fields now say something else than the last run read.
    bool ResultsOutOfDate() const;
    // Why the outputs cannot be written now (out of date, a field read only
    // in part, no fit of this run); empty when they can.
    std::optional<std::string> OutputsBlocked() const;
    // The strip after an edit: out of date, or the verdict re-judged.
    void RefreshStrip();
    void SetFieldMark(int controlId, const std::optional<std::string>& note);
    void ClearMarkWhenReadable(int controlId);
    // The status strip and the tooltips of the error and coefficient fields.
    void ShowVerdict();
    IFilePlatform& Platform();
    void SaveSettingsOfRun();

    std::map<int, QLineEdit*> m_edits;
    std::map<int, QComboBox*> m_lists;
    std::map<int, QPushButton*> m_buttons;
    QIcon m_icon;

    RunInput m_input;                           // of the last run, or as restored
    ModelChoice m_ranModel = ModelChoice::King; // the model list's choice at the last run
    Reduction m_current;                        // the last run, as it came out
    bool m_ran = false;                         // a run since start-up
    std::set<int> m_marked;                     // fields read only in part
    CheckThresholds m_thresholds;
    TableLayout m_tableLayout;
    Reduction m_lastFit;            // the last run that fitted
    Reduction m_shown;              // the last run with the last fit
    ResultFieldTexts m_shownFields; // the result fields as they show
    OutputParameters m_output;
    RunLog m_log;
    std::string m_startDirectory;
    std::unique_ptr<CChart> m_responseChart;
    std::unique_ptr<CChart> m_errorChart;
    RunPlots m_plots;

    struct PastedField
    {
        QLineEdit* edit;
        QString previousText;
    };
    std::vector<PastedField> m_pasteUndo; // the fields the last paste changed

    ContentPane* m_content = nullptr;
    QLabel* m_statusStrip = nullptr;
    QComboBox* m_modelList = nullptr;
    QGroupBox* m_coefficientFrame = nullptr;

    QtCanvas* m_pActiveCanvas = nullptr; // set while paintEvent draws the charts
    std::unique_ptr<IFilePlatform> m_dialogs;
    IFilePlatform* m_pPlatform = nullptr; // a replacement for m_dialogs, not owned
    std::function<void(int)> m_exit;
    std::function<std::optional<RecordRequest>(QWidget*)> m_askIdentity;
    std::function<std::optional<CheckThresholds>(QWidget*, const CheckThresholds&)> m_askLimits;
    TableLayoutProvider m_askTableLayout;
};

} // namespace tovarin
