#include "ReducerDlg.h"

#include "ControlIds.h"
#include "FakePlatform.h"
#include "OutputCommands.h"
#include "TempDir.h"
#include "VerdictSummary.h"
#include "WorkedExample.h"

#include <QClipboard>
#include <QComboBox>
#include <QFrame>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSettings>
#include <QTest>

#include <gtest/gtest.h>

using namespace tovarin;

namespace {

// Each test runs in a fresh working directory, where the window keeps its
// run log and settings file.
class ReducerDlgTest : public testing::Test
{
  protected:
    void SetUp() override
    {
        m_previous = std::filesystem::current_path();
        std::filesystem::current_path(m_dir.Root());
    }
    void TearDown() override { std::filesystem::current_path(m_previous); }

    std::string Path(const std::string& name) const { return m_dir.Path(name); }

    std::unique_ptr<CReducerDlg> Open()
    {
        auto dialog = std::make_unique<CReducerDlg>();
        dialog->SetFilePlatform(&platform);
        dialog->SetExitHandler([this](int status) { exitStatus = status; });
        opened = dialog->OnInitDialog();
        return dialog;
    }

    // Types into a field as a user would: select all, delete, type.
    static void Type(const CReducerDlg& dialog, int id, const char* text)
    {
        auto* edit = qobject_cast<QLineEdit*>(dialog.Control(id));
        edit->selectAll();
        QTest::keyClick(edit, Qt::Key_Delete);
        QTest::keyClicks(edit, QString::fromLatin1(text));
    }
    static void TypeRows(const CReducerDlg& dialog, const std::vector<worked::TypedRow>& rows)
    {
        for (std::size_t row = 0; row < rows.size(); ++row) {
            Type(dialog, kRowControls[row].flow, rows[row].flow);
            Type(dialog, kRowControls[row].response, rows[row].response);
        }
    }
    static void TypeWorkedExample(const CReducerDlg& dialog) { TypeRows(dialog, worked::kRows); }
    static QComboBox* List(const CReducerDlg& dialog, int id)
    {
        return qobject_cast<QComboBox*>(dialog.Control(id));
    }

    FakePlatform platform;
    int exitStatus = -1;
    bool opened = false;

  private:
    TempDir m_dir;
    std::filesystem::path m_previous;
};

QStringList Entries(const QComboBox* list)
{
    QStringList entries;
    for (int i = 0; i < list->count(); ++i)
        entries << list->itemText(i);
    return entries;
}

} // namespace

TEST_F(ReducerDlgTest, FirstStartInAnEmptyDirectory)
{
    {
        auto dialog = Open();
        ASSERT_TRUE(opened);
        for (std::size_t row = 0; row < kRowControls.size(); ++row)
            EXPECT_EQ(dialog->GetFieldText(kRowControls[row].flow) +
                          dialog->GetFieldText(kRowControls[row].response) +
                          dialog->GetFieldText(kRowControls[row].errorPct),
                      "0.000.00");
        EXPECT_EQ(dialog->GetFieldText(kResponseMaxId) + "|" + dialog->GetFieldText(kPointCountId),
                  "5.00|1024"); // the default table, not one of 0 words
        EXPECT_EQ(Entries(List(*dialog, kFlowUnitListId)) +
                      Entries(List(*dialog, kResponseKindListId)) +
                      Entries(List(*dialog, kOutputUnitListId)),
                  QStringList({"g/s", "Kg/hr", "lbs/hr", "SCFM", "Volts", "Freq", "10*mg/sec",
                               "mg/sec", "g/sec", "kg/hr", "lb/min", "lb/h"}));
        EXPECT_EQ(List(*dialog, kOutputUnitListId)->currentIndex(), 0);
        EXPECT_EQ(dialog->ErrorChart()->GetChartRect(), (Rect{505, 385, 855, 585}));
        EXPECT_EQ(dialog->focusWidget(), dialog->Control(kRowControls[0].flow));
    }
    EXPECT_FALSE(std::filesystem::exists(Path("tovarin.cfg")));
    EXPECT_EQ(ReadWholeFile(Path("tovarin.log")), "Error in opening " + Path("tovarin.cfg") + "\n");
}

TEST_F(ReducerDlgTest, TabOrderAndFramesAsTheUserSeesThem)
{
    auto dialog = Open();
    std::vector<int> expected;
    for (const RowControls& row : kRowControls)
        expected.insert(expected.end(), {row.flow, row.response});
    expected.insert(expected.end(), {kRunTestId, kExitId, kFlowUnitListId, kResponseKindListId});
    for (const RowControls& row : kRowControls)
        expected.push_back(row.maf);
    for (const RowControls& row : kRowControls)
        expected.push_back(row.fit);
    expected.insert(expected.end(),
                    {kCoefficientAId, kCoefficientBId, kCoefficientCId, kResponseMinId,
                     kResponseMaxId, kPointCountId, kOutputUnitListId, kGenerateOutputFileId,
                     kMeterTypeId, kGenerateHtmlInfoId});
    for (const RowControls& row : kRowControls)
        expected.push_back(row.errorPct);

    std::map<QWidget*, int> ids;
    for (const int id : expected)
        ids[dialog->Control(id)] = id;
    std::vector<int> order;
    QWidget* widget = dialog->Control(kRowControls[0].flow);
    do {
        if (ids.count(widget))
            order.push_back(ids[widget]);
        widget = widget->nextInFocusChain();
    } while (widget != dialog->Control(kRowControls[0].flow));
    EXPECT_EQ(order, expected);

    // The two uncaptioned frames enclose the charts, whatever the dialog scale.
    std::vector<QRect> frames;
    for (const QFrame* frame : dialog->findChildren<QFrame*>())
        if (frame->frameShape() == QFrame::Box && !qobject_cast<const QGroupBox*>(frame))
            frames.push_back(frame->geometry());
    ASSERT_EQ(frames.size(), 2u);
    std::sort(frames.begin(), frames.end(), [](QRect a, QRect b) { return a.top() < b.top(); });
    EXPECT_TRUE(frames[0].contains(QRect(504, 169, 352, 202)));
    EXPECT_TRUE(frames[1].contains(QRect(504, 384, 352, 202)));
}

TEST(DialogSize, TheSpecifiedSizeWhereTheScreenHoldsItElseItScrolls)
{
    const PixelSize content{876, 757}; // 584 x 455 units and the status strip
    struct Case
    {
        const char* name;
        PixelSize available, size;
    } const cases[] = {
        {"a full HD screen", {1920, 1040}, {876, 757}},
        {"exactly room beside frame and title bar", {886, 797}, {876, 757}},
        {"one pixel short", {886, 796}, {876, 756}}, // no room for a scroll bar
        {"1366 x 768 less a panel", {1366, 728}, {896, 688}},
        {"2732 x 1536 at twice the pixels: 1366 x 768", {1366, 768}, {896, 728}},
        {"too narrow as well", {800, 600}, {790, 560}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(DialogSizeFor(content, c.available), c.size);
    }
}

TEST_F(ReducerDlgTest, RunTestRunsTheWorkedExamplePaintsItAndSavesTheScreen)
{
    {
        auto dialog = Open();
        dialog->show();
        TypeWorkedExample(*dialog);
        Type(*dialog, kMeterTypeId, "TYPE7 spare");
        QTest::mouseClick(dialog->Button(kRunTestId), Qt::LeftButton);
        for (std::size_t row = 0; row < 4; ++row)
            EXPECT_EQ(std::vector<std::string>({dialog->GetFieldText(kRowControls[row].maf),
                                                dialog->GetFieldText(kRowControls[row].fit),
                                                dialog->GetFieldText(kRowControls[row].errorPct)}),
                      worked::kResultFields[row])
                << row;
        EXPECT_EQ(dialog->GetFieldText(kCoefficientCId), "0.696");
        EXPECT_EQ(dialog->ResponseChart()->Spec(), dialog->Plots().responseSpec.get());
        EXPECT_EQ(dialog->ErrorChart()->XMax(), 4.0);
        const QImage image = dialog->grab().toImage();
        const QColor teal(0, 128, 128), yellow(255, 255, 0);
        EXPECT_EQ(image.pixelColor(506, 171), teal);
        EXPECT_EQ(image.pixelColor(506, 386), teal);
        EXPECT_NE(image.pixelColor(504, 171), teal);
        // Each measured point is an X where the chart maps it (the plot area
        // follows the font the toolkit measures).
        const CChart& chart = *dialog->ResponseChart();
        const Rect plot = chart.GetPlotRect();
        for (const auto& [x, y] : {std::pair{5.0, 1.8}, {10.0, 2.3}, {20.0, 3.1}}) {
            const QPoint centre(static_cast<int>(plot.left + x / (1.0 / chart.XScale())),
                                static_cast<int>(plot.bottom - y / (1.0 / chart.YScale())));
            for (const QPoint d : {QPoint(-2, -2), QPoint(2, 2), QPoint(2, -2), QPoint(-2, 2)})
                EXPECT_EQ(image.pixelColor(centre + d), yellow) << centre.x() << "," << centre.y();
        }
        EXPECT_EQ(MinimisedIconPosition(31, 36, 32, 32).x, 0); // (31 - 32 + 1) / 2
        EXPECT_EQ(MinimisedIconPosition(30, 29, 32, 32).y, -1);

        // The output parameters are read when the table is written.
        Type(*dialog, kResponseMaxId, "5");
        Type(*dialog, kPointCountId, "2");
        platform.answer = Path("maffactor.inc");
        dialog->OnGenerateOutputFile();
        EXPECT_EQ(ReadWholeFile(Path("maffactor.inc")), "; */ MAF file for type:TYPE7 */\r\n"
                                                        "; */ File units = 10 * mg/sec */\r\n"
                                                        "\tDW\t   0\r\n"
                                                        "\tDW\t5040\r\n"); // 50.395 g/s at 5 V
        // A changed input makes the results out of date: nothing is written.
        Type(*dialog, kMeterTypeId, "CHANGED");
        EXPECT_EQ(dialog->StatusStrip()->text().toStdString(), kOutOfDateStatus);
        platform.answer = Path("stale.inc");
        dialog->OnGenerateOutputFile();
        EXPECT_FALSE(std::filesystem::exists(Path("stale.inc")));
        Type(*dialog, kMeterTypeId, "TYPE7"); // back as it was: up to date again
        EXPECT_NE(dialog->StatusStrip()->text().toStdString(), kOutOfDateStatus);
    }
    EXPECT_EQ(ReadWholeFile(Path("tovarin.log")),
              "Error in opening " + Path("tovarin.cfg") + "\n" + worked::kLogBlock);
    EXPECT_EQ(ReadWholeFile(Path("tovarin.cfg")), worked::SettingsFile("TYPE7"));
}

TEST_F(ReducerDlgTest, EscapeCloseBoxAndEnterRunTheTestOnlyExitCloses)
{
    WriteWholeFile(Path("tovarin.cfg"), "stored\n");
    auto dialog = Open();
    dialog->show();
    TypeWorkedExample(*dialog);
    List(*dialog, kResponseKindListId)->setCurrentIndex(1);
    QTest::keyClick(dialog->Control(kRowControls[0].flow), Qt::Key_Escape);
    EXPECT_EQ(dialog->GetFieldText(kCoefficientCId), "0.696");
    EXPECT_EQ(dialog->ResponseChart()->YLegend(), "Freq");
    EXPECT_EQ(dialog->Plots().responseSpec->yMin, 1.0); // Freq: between the first and last rows

    Type(*dialog, kRowControls[3].flow, "40");
    dialog->close();
    EXPECT_TRUE(dialog->isVisible());
    EXPECT_EQ(dialog->GetFieldText(kRowControls[3].maf), "40.00");

    // Enter in a field presses the default button, "Run Test".
    Type(*dialog, kRowControls[3].flow, "30");
    QTest::keyClick(dialog->Control(kRowControls[3].flow), Qt::Key_Return);
    EXPECT_EQ(dialog->GetFieldText(kRowControls[3].maf), "30.00");

    QTest::mouseClick(dialog->Button(kExitId), Qt::LeftButton);
    EXPECT_FALSE(dialog->isVisible());
    EXPECT_EQ(dialog->result(), QDialog::Accepted);
}

TEST_F(ReducerDlgTest, FailuresAtStartAndWhenSaving)
{
    std::filesystem::create_directory(Path("tovarin.log")); // even root cannot open it
    auto failed = Open();
    EXPECT_FALSE(opened);
    EXPECT_EQ(exitStatus, 1);
    EXPECT_EQ(platform.messages,
              std::vector<std::string>{"Unable to open/write Tovarin.log file - Exiting...\n" +
                                       Path("tovarin.log") + "\nIs a directory"});
    EXPECT_EQ(failed->ResponseChart(), nullptr);

    std::filesystem::remove(Path("tovarin.log"));
    std::filesystem::create_directory(Path("tovarin.cfg"));
    platform.messages.clear();
    auto dialog = Open();
    TypeWorkedExample(*dialog);
    dialog->OnRunTest();
    EXPECT_EQ(platform.messages,
              std::vector<std::string>{"The settings could not be saved to " + Path("tovarin.cfg") +
                                       ": Is a directory.\nThe results of this run stay on "
                                       "screen, but the next start will not restore them."});
}

TEST_F(ReducerDlgTest, TypedValuesSurviveRestartsExactly)
{
    for (int start = 0; start < 3; ++start) {
        auto dialog = Open();
        if (start == 0) {
            TypeRows(*dialog, {{"0.935", "1.234"}, {"12.3456", "5"}, {"20", "0.935"}});
            List(*dialog, kFlowUnitListId)->setCurrentIndex(3);
            List(*dialog, kResponseKindListId)->setCurrentIndex(1);
            Type(*dialog, kMeterTypeId, "HFM5");
        }
        dialog->OnRunTest();
        EXPECT_EQ(dialog->CurrentCalibration().set.typedFlow[0], 0.935);
        const std::string rows = "0.935000\t1.234000\n12.345600\t5.000000\n20.000000\t0.935000\n";
        EXPECT_EQ(ReadWholeFile(Path("tovarin.cfg")).substr(0, rows.size()), rows);
    }
    auto dialog = Open();
    EXPECT_EQ(List(*dialog, kFlowUnitListId)->currentText() + "|" +
                  List(*dialog, kResponseKindListId)->currentText(),
              "SCFM|Freq");
    EXPECT_EQ(dialog->GetFieldText(kMeterTypeId) + "|" + dialog->GetFieldText(kResponseMaxId) +
                  "|" + dialog->GetFieldText(kPointCountId),
              "HFM5|15000.00|1024");
    EXPECT_EQ(dialog->ResponseChart()->YLegend(), "Freq (Hz)");
    const char* shown[] = {"0.935", "1.234", "12.3456", "5.00", "20.00", "0.935", "0.00"};
    for (int i = 0; i < 7; ++i)
        EXPECT_EQ(
            dialog->GetFieldText(i % 2 ? kRowControls[i / 2].response : kRowControls[i / 2].flow),
            shown[i]);
}

TEST_F(ReducerDlgTest, PastingASpreadsheetBlockFillsTheGridWithOneUndo)
{
    auto dialog = Open();
    auto paste = [&](int id, const char* text) {
        QGuiApplication::clipboard()->setText(QString::fromUtf8(text));
        QTest::keyClick(dialog->Control(id), Qt::Key_V, Qt::ControlModifier);
    };
    std::string twelve;
    for (int i = 1; i <= 12; ++i)
        twelve += std::to_string(i * 10) + "\t" + std::to_string(i) + ".5\n";
    paste(kRowControls[0].flow, twelve.c_str());
    EXPECT_EQ(dialog->GetFieldText(kRowControls[11].flow), "120");
    EXPECT_EQ(dialog->GetFieldText(kRowControls[11].response), "12.5");
    EXPECT_EQ(dialog->GetFieldText(kRowControls[12].flow), "0.00");
    dialog->OnRunTest();
    EXPECT_EQ(dialog->CurrentCalibration().set.rowCount, 12);
    EXPECT_EQ(dialog->CurrentCalibration().set.typedResponse[11], 12.5);

    paste(kRowControls[2].flow, "Flow;Volts\n7,2;0,938\n8;1,25\n"); // header, decimal commas
    EXPECT_EQ(dialog->GetFieldText(kRowControls[2].flow), "7.2");
    EXPECT_EQ(dialog->GetFieldText(kRowControls[3].response), "1.25");
    QTest::keyClick(dialog->Control(kRowControls[5].flow), Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(dialog->GetFieldText(kRowControls[2].flow), "30");
    EXPECT_EQ(dialog->GetFieldText(kRowControls[3].response), "4.5");

    paste(kRowControls[0].response, "0.9\n1.1\n1.3\n"); // one column
    EXPECT_EQ(dialog->GetFieldText(kRowControls[2].response), "1.3");
    EXPECT_EQ(dialog->GetFieldText(kRowControls[2].flow), "30"); // untouched
    paste(kRowControls[1].response, "2.75");                     // one value: plain text
    EXPECT_EQ(dialog->GetFieldText(kRowControls[1].response), "1.12.75");
    EXPECT_TRUE(platform.messages.empty());

    std::string tall;
    for (int i = 0; i < 25; ++i)
        tall += std::to_string(i) + "\t1\n";
    paste(kRowControls[0].flow, tall.c_str());
    EXPECT_EQ(dialog->GetFieldText(kRowControls[18].flow), "18");
    EXPECT_EQ(platform.messages,
              std::vector<std::string>{"12 of the 50 pasted values were left out: the grid ends at "
                                       "row 18 and at the response column."});
}

TEST_F(ReducerDlgTest, OpenMeasurementsFillsTheGridAsTheCommandReadsTheFile)
{
    auto dialog = Open();
    TypeRows(*dialog, {{"1", "1"}, {"2", "2"}, {"3", "3"}, {"4", "4"}, {"5", "5"}});
    // More than two columns: the flow and the response column are asked for.
    WriteWholeFile(Path("bench.csv"), "Time [s];Flow [kg/h];Signal [V]\n0;7,2;0,938\n1;36;1,25\n"
                                      "2;72;1,5\n");
    platform.openAnswer = Path("bench.csv");
    platform.choices = {1, 2};
    dialog->OnOpenMeasurements();
    EXPECT_EQ(platform.questions,
              std::vector<std::string>(
                  {"Which column holds the flow?|Time [s]|Flow [kg/h]|Signal [V]",
                   "Which column holds the response?|Time [s]|Flow [kg/h]|Signal [V]"}));
    const std::vector<std::string> grid = {"7.2", "0.938", "36", "1.25", "72", "1.5", "0", "0"};
    for (std::size_t i = 0; i < grid.size(); ++i)
        EXPECT_EQ(
            dialog->GetFieldText(i % 2 ? kRowControls[i / 2].response : kRowControls[i / 2].flow),
            grid[i])
            << i;
    EXPECT_EQ(dialog->GetFieldText(kRowControls[4].flow), "0"); // typed 5 before: cleared
    dialog->OnRunTest();
    EXPECT_EQ(dialog->CurrentCalibration().set.rowCount, 3);
    EXPECT_EQ(dialog->CurrentCalibration().set.flowUnit, FlowUnit::GramsPerSec); // as selected

    // Files the command refuses are refused with its message; the grid stays.
    std::string twenty;
    for (int i = 1; i <= 20; ++i)
        twenty += std::to_string(i) + ",1\n";
    WriteWholeFile(Path("tall.csv"), twenty);
    WriteWholeFile(Path("typo.csv"), "0,1\n5,1.8V\n");
    EXPECT_FALSE(dialog->OpenMeasurements(Path("tall.csv")));
    EXPECT_FALSE(dialog->OpenMeasurements(Path("typo.csv")));
    EXPECT_FALSE(dialog->OpenMeasurements(Path("bench.csv"))); // no choice left: cancelled
    EXPECT_EQ(platform.messages,
              std::vector<std::string>({Path("tall.csv") + ":20: more than 19 rows",
                                        Path("typo.csv") + ":2: '1.8V' is not a decimal number"}));
    EXPECT_EQ(dialog->GetFieldText(kRowControls[0].flow), "7.2");
    QTest::keyClick(dialog->Control(kRowControls[0].flow), Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(dialog->GetFieldText(kRowControls[4].flow), "5"); // one undo restores the grid
}

TEST_F(ReducerDlgTest, FieldsTheRunCannotReadAreMarked)
{
    auto dialog = Open();
    TypeWorkedExample(*dialog);
    Type(*dialog, kRowControls[1].flow, "5,5");
    Type(*dialog, kRowControls[2].response, "abc");
    Type(*dialog, kRowControls[3].response, "3.1V");
    dialog->OnRunTest();
    const auto tip = [&](int id) { return dialog->Control(id)->toolTip().toStdString(); };
    EXPECT_EQ(tip(kRowControls[1].flow), "Read as 5.00: only the part before ',' is a number.");
    EXPECT_EQ(tip(kRowControls[2].response), "Not a number: the previous value 0.00 was used.");
    EXPECT_EQ(tip(kRowControls[3].response), "Read as 3.10: only the part before 'V' is a number.");
    EXPECT_EQ(tip(kRowControls[0].flow), "");
    EXPECT_NE(dialog->Control(kRowControls[1].flow)->styleSheet(), "");
    EXPECT_EQ(ReadWholeFile(Path("tovarin.cfg")).substr(18, 18), "5.000000\t1.800000\n");

    Type(*dialog, kRowControls[1].flow, "5.5"); // edited into a number: the mark goes
    EXPECT_EQ(tip(kRowControls[1].flow), "");
    EXPECT_EQ(dialog->Control(kRowControls[1].flow)->styleSheet(), "");
    Type(*dialog, kRowControls[2].response, "2.3");
    Type(*dialog, kRowControls[3].response, "3.1");
    dialog->OnRunTest();
    EXPECT_EQ(tip(kRowControls[2].response) + tip(kRowControls[3].response), "");
}

TEST_F(ReducerDlgTest, TheVerdictInTheStatusStripTooltipsAndAfterATable)
{
    auto dialog = Open();
    const auto strip = [&] { return dialog->StatusStrip()->text().toStdString(); };
    EXPECT_EQ(strip(), "Type at least three rows of flow and response, then press \"Run Test\".");
    TypeRows(*dialog, worked::kHotWire);
    dialog->OnRunTest();
    EXPECT_EQ(strip(), "FAIL flow error -4.28 % (row 3), limit 2 %");
    EXPECT_EQ(dialog->StatusStrip()->styleSheet(), "QLabel { color: rgb(204, 0, 0); }");
    Type(*dialog, kRowControls[3].flow, "5.0"); // retyped, the same value: still current
    EXPECT_EQ(strip(), "FAIL flow error -4.28 % (row 3), limit 2 %");
    EXPECT_EQ(dialog->Control(kRowControls[1].errorPct)->toolTip(), "Flow error +2.94 %");
    EXPECT_EQ(dialog->Control(kCoefficientCId)->toolTip(),
              "0.21571608808482953\nstandard error 0.00751"); // %.17g and %.3g

    Type(*dialog, kResponseMaxId, "5");
    Type(*dialog, kPointCountId, "1024");
    List(*dialog, kOutputUnitListId)->setCurrentIndex(1); // mg/sec: words beyond 65535
    platform.answer = Path("maffactor.inc");
    dialog->OnGenerateOutputFile();
    EXPECT_TRUE(std::filesystem::exists(Path("maffactor.inc")));
    EXPECT_EQ(platform.messages,
              std::vector<std::string>{
                  "The table was written, but it fails these checks:\n"
                  "- flow error: largest flow error -4.28 % at row 3 (limit 2 %)\n"
                  "- word range: 280 of 1024 words exceed 65535 (largest 227165): choose "
                  "10*mg/sec or fewer points"});
    // Editing the output parameters judges the table again, without a run.
    EXPECT_EQ(strip().substr(0, 66),
              "FAIL flow error -4.28 % (row 3), limit 2 % \u00b7 FAIL word range: 280");
    List(*dialog, kOutputUnitListId)->setCurrentIndex(0);
    EXPECT_EQ(strip(), "FAIL flow error -4.28 % (row 3), limit 2 %");
    // New limits judge the same run again; a new start remembers them.
    dialog->SetLimitsProvider([](QWidget*, const CheckThresholds& shown) {
        CheckThresholds limits = shown;
        limits.maxFlowErrorPct = 4.27;
        return limits;
    });
    dialog->OnLimits();
    EXPECT_EQ(strip(), "FAIL flow error -4.28 % (row 3), limit 4.27 %"); // -4.2768
    dialog->SetLimitsProvider(
        [](QWidget*, const CheckThresholds&) { return CheckThresholds{.maxFlowErrorPct = 4.3}; });
    dialog->OnLimits();
    EXPECT_EQ(strip(),
              "Flow error at most -4.28 % (row 3) \u00b7 RMS 0.0259 V \u00b7 R\u00b2 0.99977 "
              "\u00b7 converged in 27 evaluations");
    QSettings().setValue("limits/maxFlowErrorPct", "7.5");
    EXPECT_EQ(Open()->Limits().maxFlowErrorPct, 7.5);
    QSettings().remove("limits");
}

// A hot-film sensor, 0.5 (0.95 + 0.5 Q^0.45 + 0.3 (1 - exp(-Q / 8))) V,
// at zero flow and 18 flows geometric from 2 to 400 g/s.
const std::vector<worked::TypedRow> kHotFilm = {
    {"0", "0.4750"},      {"2", "0.8497"},      {"2.73", "0.9112"},   {"3.73", "0.9830"},
    {"5.09", "1.0656"},   {"6.96", "1.1607"},   {"9.5", "1.2678"},    {"12.98", "1.3877"},
    {"17.72", "1.5201"},  {"24.2", "1.6664"},   {"33.05", "1.8292"},  {"45.14", "2.0128"},
    {"61.65", "2.2223"},  {"84.2", "2.4629"},   {"114.98", "2.7396"}, {"157.03", "3.0579"},
    {"214.46", "3.4243"}, {"292.89", "3.8458"}, {"400", "4.3307"}};

TEST_F(ReducerDlgTest, TheModelListRunsTheChosenModelAndIsRemembered)
{
    QSettings().remove("model");
    auto dialog = Open();
    QComboBox* models = dialog->ModelList();
    EXPECT_EQ(Entries(models), (QStringList{"King's equation", "King + flow offset", "Polynomial",
                                            "Monotone", "Best predictor"}));
    EXPECT_EQ(models->currentIndex(), 0);
    TypeRows(*dialog, kHotFilm);
    dialog->OnRunTest();
    const auto strip = [&] { return dialog->StatusStrip()->text().toStdString(); };
    EXPECT_EQ(strip(), "FAIL flow error -10.45 % (row 1), limit 2 % \u00b7 King's equation "
                       "misses by -10.4 % at 2 g/s; poly predicts within 3.3 % (leave-one-out): "
                       "--model poly");
    const std::string table = dialog->StatusStrip()->toolTip().toStdString();
    EXPECT_NE(table.find("<pre>\n  Model        Flow error"), std::string::npos);
    EXPECT_NE(table.find("* king           -10.45 %"), std::string::npos);
    EXPECT_EQ(dialog->CoefficientFrame()->title(), "King Coefficients");
    const std::string kingFit = dialog->GetFieldText(kRowControls[1].fit);

    models->setCurrentIndex(2);
    EXPECT_EQ(strip(), kOutOfDateStatus);
    EXPECT_EQ(QSettings().value("model/choice").toString(), "poly");
    dialog->OnRunTest();
    const std::string polyStrip =
        "Model poly \u00b7 Flow error at most +1.31 % (row 1) \u00b7 leave-one-out +3.29 %";
    EXPECT_EQ(strip().substr(0, polyStrip.size()), polyStrip);
    EXPECT_EQ(dialog->CoefficientFrame()->title(),
              "Polynomial Q(R): p0, p1, p2 (all in the tooltips)");
    EXPECT_EQ(dialog->Control(kCoefficientAId)->toolTip().toStdString().substr(0, 33),
              "Parameters of the polynomial:\np0=");
    EXPECT_NE(dialog->GetFieldText(kRowControls[1].fit), kingFit); // the polynomial's inverse
    EXPECT_STREQ(dialog->Plots().responseSpec->title, "Polynomial Flow Model");
    EXPECT_TRUE(dialog->Plots().responseSpec->curve);
    const std::string log = ReadWholeFile(Path("tovarin.log"));
    EXPECT_NE(log.find("END OF RUN ***************************\n\nModel: poly p0="),
              std::string::npos);
    EXPECT_EQ(std::ranges::count(ReadWholeFile(Path("tovarin.cfg")), '\n'), 22);
    EXPECT_EQ(Open()->ModelList()->currentIndex(), 2); // remembered at the next start
    QSettings().remove("model");
}

TEST_F(ReducerDlgTest, TheTableLayoutPlacesBreakpointsAndPicksTheFormat)
{
    QSettings().remove("table");
    QSettings().setValue("model/choice", "poly");
    auto dialog = Open();
    EXPECT_EQ(dialog->Layout().layout, BreakpointLayout::Even);
    TypeRows(*dialog, kHotFilm);
    dialog->OnRunTest();
    std::string described;
    const auto choose = [&](TableLayout chosen) {
        dialog->SetTableLayoutProvider(
            [&, chosen](QWidget*, const TableLayout&, const LayoutDescriber& describe) {
                described = describe(chosen);
                return std::optional(chosen);
            });
        dialog->OnTableLayout();
    };
    choose({BreakpointLayout::Placed, {}, 16, TableFormat::Csv});
    // Shown before writing: the placed error, then that of evenly spaced ones.
    EXPECT_EQ(described.substr(0, 21), "Interpolation error +");
    EXPECT_NE(described.find(" V (16 evenly spaced: +"), std::string::npos) << described;
    EXPECT_NE(dialog->StatusStrip()->toolTip().toStdString().find(described), std::string::npos);
    platform.answer = Path("maffactor.csv");
    dialog->OnGenerateOutputFile();
    const std::string csv = ReadWholeFile(Path("maffactor.csv"));
    EXPECT_EQ(csv.substr(0, 29), "response_V,flow_10mg_per_s\n0,");
    EXPECT_EQ(std::ranges::count(csv, '\n'), 17);
    EXPECT_NE(csv.find("\n5,"), std::string::npos);
    EXPECT_EQ(dialog->StoredOutputParameters().pointCount, 1024); // the field, not the layout
    // A listed breakpoint beyond Response Max on screen writes nothing.
    choose({BreakpointLayout::Explicit, {1.0, 5.5}, 16, TableFormat::Dw});
    EXPECT_EQ(described, "Cannot lay out the table: the breakpoint 5.5 lies outside Response Min "
                         "to Response Max.");
    platform.messages.clear();
    platform.answer = Path("listed.inc");
    dialog->OnGenerateOutputFile();
    EXPECT_FALSE(std::filesystem::exists(Path("listed.inc")));
    EXPECT_EQ(platform.messages,
              std::vector<std::string>{"The table layout cannot be used: the breakpoint 5.5 lies "
                                       "outside Response Min to Response Max. Change it under "
                                       "Table layout... before writing."});
    QSettings().remove("model");
}

TEST_F(ReducerDlgTest, StaleFailedAndPartlyReadRunsWriteNothing)
{
    struct Case
    {
        const char* name;
        std::vector<worked::TypedRow> rows; // typed over the worked example
        int model;                          // chosen in the model list after the run
        bool runAgain;
        std::string strip, message;
    } const cases[] = {
        {"the next sensor's rows, not yet run",
         {{"0", "1.1"}},
         0,
         false,
         kOutOfDateStatus,
         "The results are out of date: press Run Test before writing."},
        {"rows in descending order, run",
         {{"20", "3.1"}, {"10", "2.3"}},
         0,
         true,
         "No fit: 1 row is in use, a fit needs at least 3 (the flow of row 1 is not greater "
         "than the one above). Nothing can be written until a run fits.",
         kNoFitMessage},
        {"a flow read only in part, run",
         {{"0", "1.0"}, {"5,5", "1.8"}},
         0,
         true,
         "Flow error at most",
         "A field was read only in part (framed in red): correct it and "
         "press Run Test before writing."},
        {"another model chosen, not yet run",
         {},
         3,
         false,
         kOutOfDateStatus,
         "The results are out of date: press Run Test before writing."},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        auto dialog = Open();
        dialog->SetRecordIdentityProvider([](QWidget*) { return RecordRequest{}; });
        TypeWorkedExample(*dialog);
        dialog->OnRunTest();
        TypeRows(*dialog, c.rows);
        dialog->ModelList()->setCurrentIndex(c.model);
        if (c.runAgain)
            dialog->OnRunTest();
        EXPECT_EQ(dialog->StatusStrip()->text().toStdString().substr(0, c.strip.size()), c.strip);
        platform.messages.clear();
        platform.answer = Path("out");
        dialog->OnGenerateOutputFile();
        dialog->OnGenerateHtmlInfo();
        dialog->OnSaveCalibrationRecord();
        EXPECT_EQ(platform.messages, std::vector<std::string>(3, c.message));
        EXPECT_FALSE(std::filesystem::exists(Path("out")));
    }
}

TEST_F(ReducerDlgTest, SavesTheCalibrationRecordAndTheChartsAsSvg)
{
    auto dialog = Open();
    dialog->SetRecordIdentityProvider(
        [](QWidget*) { return RecordRequest{.identity = {.serial = "SN-7"}}; });
    platform.answer = Path("record.html");
    dialog->OnSaveCalibrationRecord(); // no fit yet
    EXPECT_EQ(platform.messages, std::vector<std::string>{kNoFitMessage});
    TypeWorkedExample(*dialog);
    Type(*dialog, kMeterTypeId, "TYPE7");
    dialog->OnRunTest();
    dialog->OnSaveCalibrationRecord();
    const std::string record = ReadWholeFile(Path("record.html"));
    EXPECT_NE(record.find("<title>Calibration record TYPE7 SN-7</title>"), std::string::npos);
    EXPECT_NE(record.find("\"maf\": \"20.00\""), std::string::npos); // the window's own fields
    EXPECT_EQ(record.find("id=\"drift\""), std::string::npos);
    EXPECT_NE(record.find("Uncertainty: not stated.</p>"), std::string::npos); // linear mode

    // The form's budget inputs reach the record, with the rule it applied.
    dialog->SetRecordIdentityProvider([](QWidget*) {
        return RecordRequest{.identity = {},
                             .previousCalibration = {},
                             .budget = {.reference = ReadingUncertainty{0.5, 0.0},
                                        .mcTrials = 1000,
                                        .guarded = true}};
    });
    platform.answer = Path("budget.html");
    dialog->OnSaveCalibrationRecord();
    const std::string budgeted = ReadWholeFile(Path("budget.html"));
    EXPECT_NE(budgeted.find("<caption>Uncertainty budget</caption>"), std::string::npos);
    EXPECT_NE(budgeted.find("Decision rule: guarded acceptance"), std::string::npos);

    // Against that record as the previous calibration of a sensor whose
    // flows read 3 % higher at every response: the drift is in the record.
    dialog->SetRecordIdentityProvider([this](QWidget*) {
        return RecordRequest{.identity = {.serial = "SN-7"},
                             .previousCalibration = Path("record.html")};
    });
    TypeRows(*dialog, {{"0", "1.0"}, {"5.15", "1.8"}, {"10.3", "2.3"}, {"20.6", "3.1"}});
    dialog->OnRunTest();
    platform.answer = Path("again.html");
    dialog->OnSaveCalibrationRecord();
    const std::string again = ReadWholeFile(Path("again.html"));
    EXPECT_NE(again.find(Path("record.html") + ": largest flow change +3.00 %"), std::string::npos);
    EXPECT_NE(again.find("\"drift\": {\"previous\": "), std::string::npos);
    platform.answer = Path("never.html");
    dialog->SetRecordIdentityProvider([this](QWidget*) {
        return RecordRequest{.identity = {}, .previousCalibration = Path("missing.json")};
    });
    dialog->OnSaveCalibrationRecord();
    EXPECT_EQ(platform.messages.back(), Path("missing.json") + ": No such file or directory");
    EXPECT_FALSE(std::filesystem::exists(Path("never.html")));
    platform.answer = Path("chart.svg");
    dialog->SaveChart(ChartRole::Error, true);
    EXPECT_EQ(ReadWholeFile(Path("chart.svg")).rfind("<svg xmlns=", 0), 0u);
}
