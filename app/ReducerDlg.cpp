#include "ReducerDlg.h"

#include "ControlIds.h"
#include "DialogTemplate.h"
#include "FieldText.h"
#include "FileResult.h"
#include "GridEdit.h"
#include "LimitsForm.h"
#include "NumberText.h"
#include "OutputCommands.h"
#include "QtCanvas.h"
#include "QtFilePlatform.h"
#include "RecordForm.h"
#include "SettingsFile.h"
#include "VerdictSummary.h"
#include "Version.h"

#include <QCloseEvent>
#include <QComboBox>
#include <QFrame>
#include <QGroupBox>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPushButton>
#include <QScreen>
#include <QScrollArea>
#include <QStyle>

#include <cerrno>
#include <cmath>
#include <cstdlib>

namespace tovarin {
namespace {

QRect ToPixels(const ControlTemplate& c)
{
    const int left = static_cast<int>(std::lround(c.x * kPixelsPerUnitX));
    const int top = static_cast<int>(std::lround(c.y * kPixelsPerUnitY));
    const int right = static_cast<int>(std::lround((c.x + c.width) * kPixelsPerUnitX));
    const int bottom = static_cast<int>(std::lround((c.y + c.height) * kPixelsPerUnitY));
    return {left, top, right - left, bottom - top};
}

QFont DialogFont()
{
    QFont font(QStringLiteral("DejaVu Sans"));
    font.setPixelSize(11); // 8 points at 96 dots per inch
    return font;
}

// Appends every entry's label in order, never sorted, and selects `selection`;
// an index the list does not have leaves it without a selection.
template <typename Info>
void FillList(QComboBox* list, std::span<const Info> entries, int selection)
{
    for (const Info& entry : entries)
        list->addItem(QString::fromLatin1(entry.label));
    list->setCurrentIndex(selection >= 0 && selection < list->count() ? selection : -1);
}

bool IsGridField(int controlId)
{
    for (const RowControls& row : kRowControls)
        if (row.flow == controlId || row.response == controlId)
            return true;
    return false;
}

// The uncaptioned frames surround the charts: a plain etched line, since a
// styled group box would shade the charts it encloses.
QWidget* CreateFrame(const QString& caption, QWidget* parent)
{
    if (caption.isEmpty()) {
        auto* box = new QFrame(parent);
        box->setFrameStyle(QFrame::Box | QFrame::Sunken);
        return box;
    }
    auto* group = new QGroupBox(caption, parent);
    group->setAlignment(Qt::AlignHCenter);
    return group;
}

// The status strip: a line longer than the strip ends in an ellipsis, so
// that a cut verdict shows it is cut; the tooltip holds the whole line, and
// text() stays the whole line.
class StatusLabel : public QLabel
{
  public:
    using QLabel::QLabel;

  protected:
    void paintEvent(QPaintEvent*) override
    {
        QPainter painter(this);
        const QRect area = contentsRect();
        style()->drawItemText(&painter, area, static_cast<int>(alignment()), palette(), isEnabled(),
                              fontMetrics().elidedText(text(), Qt::ElideRight, area.width()),
                              foregroundRole());
    }
};

} // namespace

ContentPane::ContentPane(CReducerDlg* dialog) : QWidget(dialog), m_dialog(dialog)
{
}

CReducerDlg::CReducerDlg(QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                          Qt::WindowCloseButtonHint),
      m_dialogs(std::make_unique<QtFilePlatform>(this)),
      m_exit([](int status) { std::exit(status); }), m_askIdentity(AskRecordIdentity),
      m_askLimits(AskLimits), m_askTableLayout(AskTableLayout)
{
    m_icon.addFile(QStringLiteral(":/icons/tovarin-32.xpm"), QSize(32, 32));
    m_icon.addFile(QStringLiteral(":/icons/tovarin-16.xpm"), QSize(16, 16));
    setWindowTitle(QString::fromLatin1(kWindowCaption));
    setFont(DialogFont());
    CreateContentPane();
    CreateControls();
    CreateStatusStrip();
}

CReducerDlg::~CReducerDlg() = default;

int CReducerDlg::TemplateHeight()
{
    return static_cast<int>(std::lround(kDialogUnitsHigh * kPixelsPerUnitY));
}

void CReducerDlg::CreateContentPane()
{
    // The status strip adds one line below the template; no control moves.
    const PixelSize content{static_cast<int>(std::lround(kDialogUnitsWide * kPixelsPerUnitX)),
                            TemplateHeight() + kStatusStripHeight};
    // Every control and both charts lie on one pane of the template's size,
    // inside a frameless scroll area: at its size where the screen holds it,
    // scrolling on a smaller screen.
    m_content = new ContentPane(this);
    m_content->setFixedSize(content.width, content.height);
    auto* scroll = new QScrollArea(this);
    scroll->setFrameShape(QFrame::NoFrame);
    scroll->setBackgroundRole(QPalette::Window);
    scroll->setWidget(m_content);
    const QScreen* screen = QGuiApplication::primaryScreen();
    const QSize available = screen ? screen->availableGeometry().size() : QSize(1 << 14, 1 << 14);
    const PixelSize size = DialogSizeFor(content, {available.width(), available.height()});
    setFixedSize(size.width, size.height);
    scroll->setGeometry(0, 0, size.width, size.height);
}

void CReducerDlg::CreateStatusStrip()
{
    const int top = TemplateHeight() - 4;
    m_statusStrip = new StatusLabel(m_content);
    const int stripLeft = static_cast<int>(std::lround(7 * kPixelsPerUnitX));
    const int stripWidth = static_cast<int>(std::lround(570 * kPixelsPerUnitX));
    // The status, then the links at the right of the strip.
    const std::tuple<const char*, int, void (CReducerDlg::*)()> links[] = {
        {"<a href=\"layout\">Table layout...</a>", 90, &CReducerDlg::OnTableLayout},
        {"<a href=\"limits\">Limits...</a>", 60, &CReducerDlg::OnLimits},
        {"<a href=\"open\">Open measurements...</a>", 135, &CReducerDlg::OnOpenMeasurements},
        {"<a href=\"record\">Save calibration record...</a>", 155,
         &CReducerDlg::OnSaveCalibrationRecord}};
    int linksLeft = stripLeft + stripWidth;
    for (const auto& link : links)
        linksLeft -= std::get<1>(link);
    constexpr int kModelListWidth = 118; // pixels, the longest entry with its arrow
    const int modelListLeft = linksLeft - kModelListWidth - 4;
    CreateModelList(modelListLeft, top, kModelListWidth);
    m_statusStrip->setGeometry(stripLeft, top, modelListLeft - 4 - stripLeft, kStatusStripHeight);
    for (const auto& [text, width, handler] : links) {
        auto* label = new QLabel(QString::fromLatin1(text), m_content);
        label->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        label->setGeometry(linksLeft, top, width, kStatusStripHeight);
        connect(label, &QLabel::linkActivated, this, [this, h = handler] { (this->*h)(); });
        linksLeft += width;
    }
}

void CReducerDlg::CreateControls()
{
    QWidget* previousTabStop = nullptr;
    for (const ControlTemplate& c : DialogControls()) {
        QWidget* tabStop = CreateControl(c);
        if (!tabStop)
            continue;
        if (previousTabStop)
            setTabOrder(previousTabStop, tabStop);
        previousTabStop = tabStop;
    }

    // "Run Test" is the default button: Enter in a field runs the test, and
    // Enter on a focused button presses that button.
    m_buttons.at(kRunTestId)->setDefault(true);
    connect(m_buttons.at(kRunTestId), &QPushButton::clicked, this, [this] { OnRunTest(); });
    connect(m_buttons.at(kGenerateOutputFileId), &QPushButton::clicked, this,
            [this] { OnGenerateOutputFile(); });
    connect(m_buttons.at(kGenerateHtmlInfoId), &QPushButton::clicked, this,
            [this] { OnGenerateHtmlInfo(); });
    connect(m_buttons.at(kExitId), &QPushButton::clicked, this, &QDialog::accept);
}

QWidget* CReducerDlg::CreateControl(const ControlTemplate& c)
{
    const QRect rect = ToPixels(c);
    const QString text = QString::fromStdString(c.text);
    QWidget* widget = nullptr;
    switch (c.kind) {
    case ControlKind::Frame: {
        QWidget* frame = CreateFrame(text, m_content);
        if (c.text == kCoefficientsCaption)
            m_coefficientFrame = static_cast<QGroupBox*>(frame);
        frame->setGeometry(rect);
        frame->lower(); // frames lie behind the controls they enclose
        return nullptr;
    }
    case ControlKind::Label: {
        auto* label = new QLabel(text, m_content);
        label->move(rect.topLeft());
        label->resize(std::max(rect.width(), label->sizeHint().width()), rect.height() + 4);
        return nullptr;
    }
    case ControlKind::Edit:
    case ControlKind::ReadOnly: {
        QLineEdit* edit = nullptr;
        if (IsGridField(c.id)) {
            auto* gridEdit = new GridEdit(m_content);
            ConnectGridEdit(gridEdit, c.id);
            edit = gridEdit;
        } else {
            edit = new QLineEdit(m_content);
        }
        if (c.kind == ControlKind::Edit && c.id != kMeterTypeId)
            connect(edit, &QLineEdit::textChanged, this,
                    [this, id = c.id] { ClearMarkWhenReadable(id); });
        if (c.kind == ControlKind::Edit)
            connect(edit, &QLineEdit::textChanged, this, [this] { RefreshStrip(); });
        edit->setAlignment(Qt::AlignCenter);
        edit->setReadOnly(c.kind == ControlKind::ReadOnly); // still takes the focus
        widget = m_edits[c.id] = edit;
        break;
    }
    case ControlKind::List: {
        auto* list = new QComboBox(m_content);
        list->setEditable(false);
        connect(list, &QComboBox::currentIndexChanged, this, [this] { RefreshStrip(); });
        widget = m_lists[c.id] = list;
        break;
    }
    case ControlKind::Button:
        widget = m_buttons[c.id] = new QPushButton(text, m_content);
        break;
    }
    // Lists keep the height of one line; 87 units is their drop-down height.
    QRect geometry = rect;
    if (c.kind == ControlKind::List)
        geometry.setHeight(static_cast<int>(std::lround(14 * kPixelsPerUnitY)));
    widget->setGeometry(geometry);
    widget->setFocusPolicy(Qt::StrongFocus);
    return widget;
}

bool CReducerDlg::OnInitDialog()
{
    setWindowIcon(m_icon);
    if (const FileResult opened = OpenRunLog(m_log, m_startDirectory); !opened.ok) {
        Platform().ShowMessage(std::string(kRunLogFailureMessage) + "\n" + opened.path + "\n" +
                               opened.reason);
        m_exit(1);
        return false;
    }
    m_thresholds = RememberedLimits();
    m_tableLayout = RememberedTableLayout();
    SavedScreen screen;
    std::string problem;
    LoadSettings(m_startDirectory, screen, m_output, m_log, &problem);
    if (!problem.empty())
        Platform().ShowMessage("The settings file cannot be used: " + problem +
                               ".\nThe window starts with the default values.");
    m_input = screen.Input();
    static_cast<RunInput&>(m_shown.set) = m_input;
    ShowRestoredScreen(screen);
    CreateCharts();
    WidenToShowTexts();
    ShowVerdict();
    m_edits.at(kRowControls[0].flow)->setFocus(); // the first tab stop
    return true;
}

void CReducerDlg::ShowRestoredScreen(const SavedScreen& screen)
{
    SetFieldText(kMeterTypeId, screen.meterType);
    for (std::size_t row = 0; row < kRowControls.size(); ++row) {
        SetFieldText(kRowControls[row].flow, FormatRestoredValue(screen.typedFlow[row]));
        SetFieldText(kRowControls[row].response, FormatRestoredValue(screen.typedResponse[row]));
    }
    SetFieldText(kResponseMinId, FormatFixed(m_output.responseMin, 2, 2));
    SetFieldText(kResponseMaxId, FormatFixed(m_output.responseMax, 2, 2));
    SetFieldText(kPointCountId, FormatC("%4d", m_output.pointCount));
    FillList(m_lists.at(kFlowUnitListId), FlowUnits(), screen.flowUnit);
    FillList(m_lists.at(kResponseKindListId), ResponseKinds(), screen.responseKind);
    FillList(m_lists.at(kOutputUnitListId), OutputFlowUnits(), IndexOf(m_output.outputFlowUnit));
}

void CReducerDlg::CreateCharts()
{
    // Created at their minimum size, 350 x 200.
    const Rect& r = kResponseChartRect;
    const Rect& e = kErrorChartRect;
    m_responseChart = std::make_unique<CChart>(this, r.left, r.top, r.right - r.left,
                                               r.bottom - r.top, kChartColorScheme);
    m_errorChart = std::make_unique<CChart>(this, e.left, e.top, e.right - e.left, e.bottom - e.top,
                                            kChartColorScheme);
    SetUpStartupCharts(m_input.responseKind, *m_responseChart, *m_errorChart);
}

// Lists and buttons grow, about their centre, to show their whole text.
void CReducerDlg::WidenToShowTexts()
{
    for (QWidget* widget : std::initializer_list<QWidget*>{
             m_lists.at(kOutputUnitListId), m_lists.at(kFlowUnitListId),
             m_lists.at(kResponseKindListId), m_buttons.at(kExitId), m_buttons.at(kRunTestId),
             m_buttons.at(kGenerateOutputFileId), m_buttons.at(kGenerateHtmlInfoId)}) {
        const int missing = widget->sizeHint().width() - widget->width();
        if (missing > 0)
            widget->setGeometry(widget->x() - missing / 2, widget->y(), widget->width() + missing,
                                widget->height());
    }
}

void CReducerDlg::OnRunTest()
{
    m_log.Write(kRunBanner);
    m_input = ReadRunInput(TypedTexts(), m_input);
    m_ranModel = SelectedModel();
    const Reduction run = Reduce(m_input, ModelSettingsOfRun());
    m_current = run;
    m_ran = true;
    // A run that fits nothing leaves every result field and the last fit as they were.
    if (run.outcome.fitted) {
        m_lastFit = run;
        m_shownFields = FormatResultFields(run);
        ShowResultFields(m_shownFields);
    }
    m_shown = CarryLastFit(run, m_lastFit);
    m_log.Write(RunLogBlock(run));
    m_log.Flush(); // the block is on disk even if the program ends abnormally later
    UpdateCharts(m_shown, *m_responseChart, *m_errorChart, m_plots);
    SaveSettingsOfRun();
    MarkUnreadableFields();
    ShowVerdict();
}

ScreenTexts CReducerDlg::TypedTexts() const
{
    ScreenTexts texts;
    texts.meterType = GetFieldText(kMeterTypeId);
    for (std::size_t row = 0; row < kRowControls.size(); ++row) {
        texts.flow[row] = GetFieldText(kRowControls[row].flow);
        texts.response[row] = GetFieldText(kRowControls[row].response);
    }
    texts.flowUnit = GetListSelection(kFlowUnitListId);
    texts.responseKind = GetListSelection(kResponseKindListId);
    return texts;
}

OutputTexts CReducerDlg::OutputParameterTexts() const
{
    return {GetFieldText(kResponseMinId), GetFieldText(kResponseMaxId), GetFieldText(kPointCountId),
            GetListSelection(kOutputUnitListId)};
}

void CReducerDlg::ShowResultFields(const ResultFieldTexts& texts)
{
    for (std::size_t row = 0; row < kRowControls.size(); ++row) {
        SetFieldText(kRowControls[row].maf, texts.rows[row].maf);
        SetFieldText(kRowControls[row].fit, texts.rows[row].fit);
        SetFieldText(kRowControls[row].errorPct, texts.rows[row].errorPct);
    }
    SetFieldText(kCoefficientAId, texts.a);
    SetFieldText(kCoefficientBId, texts.b);
    SetFieldText(kCoefficientCId, texts.c);
}

void CReducerDlg::SaveSettingsOfRun()
{
    const FileResult saved = SaveSettings(m_startDirectory, m_input);
    if (!saved.ok)
        Platform().ShowMessage(SettingsNotSavedMessage(saved));
}

void CReducerDlg::OnGenerateOutputFile()
{
    if (const std::optional<std::string> blocked = OutputsBlocked()) {
        Platform().ShowMessage(*blocked);
        return;
    }
    std::optional<std::string> problem;
    const OutputParameters laidOut = LaidOutOutput(&problem);
    if (problem) {
        Platform().ShowMessage("The table layout cannot be used: " + *problem +
                               ". Change it under Table layout... before writing.");
        return;
    }
    // The settings file keeps the fields on screen, not the layout's breakpoints.
    OutputParameters written;
    if (!GenerateOutputFile(Platform(), laidOut, m_current, written))
        return;
    m_output = ReadOutputParameters(OutputParameterTexts(), m_output);
    const Verdict verdict = JudgeCalibration(m_current, laidOut, m_thresholds);
    if (!verdict.Passed()) // the file stays written
        Platform().ShowMessage(FailedChecksMessage(verdict));
}

void CReducerDlg::OnGenerateHtmlInfo()
{
    if (const std::optional<std::string> blocked = OutputsBlocked()) {
        Platform().ShowMessage(*blocked);
        return;
    }
    GenerateHtmlInfo(Platform(), ReadOutputParameters(OutputParameterTexts(), m_output), m_current,
                     m_output);
}

std::string CReducerDlg::GetFieldText(int controlId) const
{
    const auto it = m_edits.find(controlId);
    return it == m_edits.end() ? std::string() : it->second->text().toStdString();
}

void CReducerDlg::SetFieldText(int controlId, const std::string& text)
{
    const auto it = m_edits.find(controlId);
    if (it != m_edits.end())
        it->second->setText(QString::fromStdString(text));
}

int CReducerDlg::GetListSelection(int listId) const
{
    const auto it = m_lists.find(listId);
    return it == m_lists.end() ? -1 : it->second->currentIndex();
}

ICanvas* CReducerDlg::BeginDrawing()
{
    return m_pActiveCanvas;
}

void CReducerDlg::RequestRepaint(const Rect& area)
{
    // At once, as the chart's setters expect; the pane's paint draws both charts.
    m_content->repaint(QRect(area.left, area.top, area.right - area.left, area.bottom - area.top));
}

void CReducerDlg::RepaintNow()
{
    m_content->repaint();
}

FontMetrics CReducerDlg::MeasureFont(const ChartFont& font)
{
    return MeasureQtFont(font);
}

QWidget* CReducerDlg::Control(int id) const
{
    if (const auto it = m_edits.find(id); it != m_edits.end())
        return it->second;
    if (const auto it = m_lists.find(id); it != m_lists.end())
        return it->second;
    return Button(id);
}

QPushButton* CReducerDlg::Button(int id) const
{
    const auto it = m_buttons.find(id);
    return it == m_buttons.end() ? nullptr : it->second;
}

void CReducerDlg::paintEvent(QPaintEvent* event)
{
    if (isMinimized()) {
        QPainter painter(this);
        const IconPosition at = MinimisedIconPosition(width(), height(), 32, 32);
        painter.drawPixmap(at.x, at.y, m_icon.pixmap(32, 32));
        return;
    }
    QDialog::paintEvent(event);
}

void CReducerDlg::PaintCharts(QWidget* pane)
{
    QPainter painter(pane);
    QtCanvas canvas(painter, pane->width(), pane->height());
    m_pActiveCanvas = &canvas;
    if (m_responseChart)
        m_responseChart->Draw();
    if (m_errorChart)
        m_errorChart->Draw();
    m_pActiveCanvas = nullptr;
}

void ContentPane::paintEvent(QPaintEvent*)
{
    m_dialog->PaintCharts(this);
}

void CReducerDlg::reject()
{
    OnRunTest();
}

void CReducerDlg::closeEvent(QCloseEvent* event)
{
    event->ignore(); // only "Exit" closes the window
    OnRunTest();
}

IFilePlatform& CReducerDlg::Platform()
{
    return m_pPlatform ? *m_pPlatform : *m_dialogs;
}

} // namespace tovarin
