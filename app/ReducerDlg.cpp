#include "ReducerDlg.h"

#include "CLocale.h"
#include "ControlIds.h"
#include "DialogTemplate.h"
#include "OutputCommands.h"
#include "QtCanvas.h"
#include "QtFilePlatform.h"
#include "Settings.h"

#include <QCloseEvent>
#include <QComboBox>
#include <QFrame>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPushButton>

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

void FillList(QComboBox* list, std::initializer_list<const char*> entries, int selection)
{
    for (const char* entry : entries)
        list->addItem(QString::fromLatin1(entry)); // appended in order, never sorted
    // An index the list does not have leaves it without a selection.
    list->setCurrentIndex(selection >= 0 && selection < list->count() ? selection : -1);
}

} // namespace

CReducerDlg::CReducerDlg(QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                          Qt::WindowCloseButtonHint),
      m_dialogs(std::make_unique<QtFilePlatform>(this)),
      m_exit([](int status) { std::exit(status); })
{
    m_icon.addFile(QStringLiteral(":/icons/tovarin-32.xpm"), QSize(32, 32));
    m_icon.addFile(QStringLiteral(":/icons/tovarin-16.xpm"), QSize(16, 16));
    setWindowTitle(QStringLiteral("Tovarin MAF Sensor Calibration Reduction - by the Tovarin "
                                  "developers - V1.02 - (c) 2026"));
    setFont(DialogFont());
    setFixedSize(static_cast<int>(std::lround(kDialogUnitsWide * kPixelsPerUnitX)),
                 static_cast<int>(std::lround(kDialogUnitsHigh * kPixelsPerUnitY)));
    CreateControls();
}

CReducerDlg::~CReducerDlg() = default;

void CReducerDlg::CreateControls()
{
    QWidget* previousTabStop = nullptr;
    for (const ControlTemplate& c : DialogControls()) {
        const QRect rect = ToPixels(c);
        const QString text = QString::fromStdString(c.text);
        QWidget* widget = nullptr;
        switch (c.kind) {
        case ControlKind::Frame: {
            // The uncaptioned frames surround the charts: a plain etched line,
            // since a styled group box would shade the charts it encloses.
            QWidget* frame = nullptr;
            if (text.isEmpty()) {
                auto* box = new QFrame(this);
                box->setFrameStyle(QFrame::Box | QFrame::Sunken);
                frame = box;
            } else {
                auto* group = new QGroupBox(text, this);
                group->setAlignment(Qt::AlignHCenter);
                frame = group;
            }
            frame->setGeometry(rect);
            frame->lower(); // frames lie behind the controls they enclose
            continue;
        }
        case ControlKind::Label: {
            auto* label = new QLabel(text, this);
            label->move(rect.topLeft());
            label->resize(std::max(rect.width(), label->sizeHint().width()), rect.height() + 4);
            continue;
        }
        case ControlKind::Edit:
        case ControlKind::ReadOnly: {
            auto* edit = new QLineEdit(this);
            edit->setAlignment(Qt::AlignCenter);
            edit->setReadOnly(c.kind == ControlKind::ReadOnly); // still takes the focus
            m_edits[c.id] = edit;
            widget = edit;
            break;
        }
        case ControlKind::List: {
            auto* list = new QComboBox(this);
            list->setEditable(false);
            m_lists[c.id] = list;
            widget = list;
            break;
        }
        case ControlKind::Button: {
            auto* button = new QPushButton(text, this);
            m_buttons[c.id] = button;
            widget = button;
            break;
        }
        }
        // Lists keep the height of one line; 87 units is their drop-down height.
        QRect geometry = rect;
        if (c.kind == ControlKind::List)
            geometry.setHeight(static_cast<int>(std::lround(14 * kPixelsPerUnitY)));
        widget->setGeometry(geometry);
        widget->setFocusPolicy(Qt::StrongFocus);
        if (previousTabStop)
            setTabOrder(previousTabStop, widget);
        previousTabStop = widget;
    }

    // "Run Test" is the default button: Enter in a field runs the test, and
    // Enter on a focused button presses that button.
    m_buttons.at(2)->setDefault(true);
    connect(m_buttons.at(2), &QPushButton::clicked, this, [this] { OnRunTest(); });
    connect(m_buttons.at(3), &QPushButton::clicked, this, [this] { OnGenerateOutputFile(); });
    connect(m_buttons.at(4), &QPushButton::clicked, this, [this] { OnGenerateHtmlInfo(); });
    connect(m_buttons.at(1), &QPushButton::clicked, this, &QDialog::accept);
}

bool CReducerDlg::OnInitDialog()
{
    setWindowIcon(m_icon);
    if (OpenRunLog(m_log, m_startDirectory) != 0) {
        Platform().ShowMessage(kRunLogFailureMessage);
        m_exit(0);
        return false;
    }
    LoadSettings(m_startDirectory, m_calibration.set, m_output, m_log);

    const MeasurementSet& set = m_calibration.set;
    SetFieldText(kMeterTypeId, set.meterType);
    for (std::size_t row = 0; row < kRowControls.size(); ++row) {
        SetFieldText(kRowControls[row].flow, FormatFixed(set.typedFlow[row], 4, 2));
        SetFieldText(kRowControls[row].response, FormatFixed(set.typedResponse[row], 4, 2));
    }
    SetFieldText(kResponseMinId, FormatFixed(m_output.responseMin, 2, 2));
    SetFieldText(kResponseMaxId, FormatFixed(m_output.responseMax, 2, 2));
    SetFieldText(kPointCountId, CFormat("%4d", m_output.pointCount));
    FillList(m_lists.at(kFlowUnitListId), {"g/s", "Kg/hr", "lbs/hr", "SCFM"}, set.flowUnit);
    FillList(m_lists.at(kResponseKindListId), {"Volts", "Freq"}, set.responseKind);
    FillList(m_lists.at(kOutputUnitListId), {"10*mg/sec", "mg/sec", "g/sec", "kg/hr"},
             m_output.outputFlowUnit);

    m_responseChart = std::make_unique<CChart>(this, 505, 170, 10, 100, 7);
    if (set.responseKind == static_cast<int>(ResponseKind::Volts)) {
        m_responseChart->SetYLegend("Volts");
        m_responseChart->SetYRange(0.0, 5.0);
    } else {
        m_responseChart->SetYLegend("Freq (Hz)");
        m_responseChart->SetYRange(0.0, 15000.0);
    }
    m_responseChart->SetXLegend("g/sec");
    m_responseChart->SetExtraText("");
    m_responseChart->SetTitle("King Equation Linear Response");
    m_responseChart->SetXRange(0.0, 300.0);

    m_errorChart = std::make_unique<CChart>(this, 505, 385, 10, 100, 7);
    m_errorChart->SetYLegend("% Error");
    m_errorChart->SetXLegend("Sample");
    m_errorChart->SetExtraText("");
    m_errorChart->SetTitle("King Equation Percent Error");
    m_errorChart->SetXRange(0.0, 19.0);
    m_errorChart->SetYRange(-15.0, 15.0);

    // Lists and buttons grow, about their centre, to show their whole text.
    for (QWidget* widget :
         std::initializer_list<QWidget*>{m_lists.at(kOutputUnitListId), m_lists.at(kFlowUnitListId),
                                         m_lists.at(kResponseKindListId), m_buttons.at(1),
                                         m_buttons.at(2), m_buttons.at(3), m_buttons.at(4)}) {
        const int missing = widget->sizeHint().width() - widget->width();
        if (missing > 0)
            widget->setGeometry(widget->x() - missing / 2, widget->y(), widget->width() + missing,
                                widget->height());
    }

    m_edits.at(kRowControls[0].flow)->setFocus(); // the first tab stop
    return true;
}

void CReducerDlg::OnRunTest()
{
    const RunSteps steps{
        [this] { UpdateCharts(m_calibration, *m_responseChart, *m_errorChart, m_plots); },
        [this] { SaveSettingsOfRun(); }};
    tovarin::OnRunTest(*this, m_calibration, m_log, steps);
}

void CReducerDlg::SaveSettingsOfRun()
{
    std::string error;
    if (!SaveSettings(m_startDirectory, m_calibration.set, error))
        Platform().ShowMessage(SettingsNotSavedMessage(m_startDirectory + kSettingsName, error));
}

void CReducerDlg::OnGenerateOutputFile()
{
    tovarin::OnGenerateOutputFile(Platform(), *this, m_calibration, m_output);
}

void CReducerDlg::OnGenerateHtmlInfo()
{
    tovarin::OnGenerateHtmlInfo(Platform(), *this, m_calibration, m_output);
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
    // At once, as the chart's setters expect; the paint draws both charts.
    repaint(QRect(area.left, area.top, area.right - area.left, area.bottom - area.top));
}

void CReducerDlg::RepaintNow()
{
    repaint();
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
    QPainter painter(this);
    QtCanvas canvas(painter, width(), height());
    m_pActiveCanvas = &canvas;
    if (m_responseChart)
        m_responseChart->Draw();
    if (m_errorChart)
        m_errorChart->Draw();
    m_pActiveCanvas = nullptr;
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
