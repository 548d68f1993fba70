#include "ReducerDlg.h"

#include "ControlIds.h"
#include "FlowTable.h"
#include "HtmlReport.h"
#include "TempDir.h"

#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

#include <gtest/gtest.h>

#include <unistd.h>

using namespace tovarin;

namespace {

// Replaces the save dialog and the message box; creates real files.
class FakePlatform : public IFilePlatform
{
  public:
    std::optional<std::string> answer;
    std::vector<std::string> messages;

    std::optional<std::string> AskSavePath(const std::string&, const std::string&) override
    {
        return answer;
    }
    void ShowMessage(const std::string& text) override { messages.push_back(text); }
    std::unique_ptr<IOutputFile> CreateOutputFile(const std::string& path) override
    {
        std::string error;
        return CreatePosixOutputFile(path, error);
    }
};

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

    static QLineEdit* Edit(const CReducerDlg& dialog, int id)
    {
        return qobject_cast<QLineEdit*>(dialog.Control(id));
    }
    static QComboBox* List(const CReducerDlg& dialog, int id)
    {
        return qobject_cast<QComboBox*>(dialog.Control(id));
    }
    static void Type(const CReducerDlg& dialog, int id, const char* text)
    {
        QLineEdit* edit = Edit(dialog, id);
        edit->selectAll();
        QTest::keyClick(edit, Qt::Key_Delete);
        QTest::keyClicks(edit, QString::fromLatin1(text));
    }
    static void TypeWorkedExample(const CReducerDlg& dialog)
    {
        const char* rows[][2] = {{"0", "1.0"}, {"5", "1.8"}, {"10", "2.3"}, {"20", "3.1"}};
        for (std::size_t row = 0; row < 4; ++row) {
            Type(dialog, kRowControls[row].flow, rows[row][0]);
            Type(dialog, kRowControls[row].response, rows[row][1]);
        }
    }

    FakePlatform platform;
    int exitStatus = -1;
    bool opened = false;

  private:
    TempDir m_dir;
    std::filesystem::path m_previous;
};

std::string Text(const CReducerDlg& dialog, int id)
{
    return dialog.GetFieldText(id);
}

} // namespace

TEST_F(ReducerDlgTest, FirstStartInAnEmptyDirectory)
{
    {
        auto dialog = Open();
        ASSERT_TRUE(opened);
        for (const RowControls& row : kRowControls) {
            EXPECT_EQ(Text(*dialog, row.flow), "0.00");
            EXPECT_EQ(Text(*dialog, row.response), "0.00");
            EXPECT_EQ(Text(*dialog, row.maf), "");
            EXPECT_EQ(Text(*dialog, row.fit), "");
            EXPECT_EQ(Text(*dialog, row.errorPct), "");
        }
        EXPECT_EQ(Text(*dialog, kMeterTypeId), "");
        EXPECT_EQ(Text(*dialog, kCoefficientAId), "");
        EXPECT_EQ(Text(*dialog, kResponseMinId), "0.00");
        EXPECT_EQ(Text(*dialog, kResponseMaxId), "0.00");
        EXPECT_EQ(Text(*dialog, kPointCountId), "   0");
        const std::pair<int, QStringList> lists[] = {
            {kFlowUnitListId, {"g/s", "Kg/hr", "lbs/hr", "SCFM"}},
            {kResponseKindListId, {"Volts", "Freq"}},
            {kOutputUnitListId, {"10*mg/sec", "mg/sec", "g/sec", "kg/hr"}},
        };
        for (const auto& [id, entries] : lists) {
            QComboBox* list = List(*dialog, id);
            QStringList shown;
            for (int i = 0; i < list->count(); ++i)
                shown << list->itemText(i);
            EXPECT_EQ(shown, entries);
            EXPECT_EQ(list->currentIndex(), 0);
        }
        const CChart& response = *dialog->ResponseChart();
        EXPECT_EQ(response.YLegend(), "Volts");
        EXPECT_EQ(response.XLegend(), "g/sec");
        EXPECT_EQ(response.Title(), "King Equation Linear Response");
        EXPECT_EQ(response.ExtraText(), "");
        EXPECT_EQ(response.YMax(), 5.0);
        EXPECT_EQ(response.XMax(), 300.0);
        EXPECT_EQ(response.GetChartRect(), (Rect{505, 170, 855, 370}));
        const CChart& error = *dialog->ErrorChart();
        EXPECT_EQ(error.YLegend(), "% Error");
        EXPECT_EQ(error.XLegend(), "Sample");
        EXPECT_EQ(error.Title(), "King Equation Percent Error");
        EXPECT_EQ(error.YMin(), -15.0);
        EXPECT_EQ(error.XMax(), 19.0);
        EXPECT_EQ(error.GetChartRect(), (Rect{505, 385, 855, 585}));
        EXPECT_EQ(dialog->focusWidget(), dialog->Control(1005));
        EXPECT_FALSE(std::filesystem::exists(Path("tovarin.cfg")));
    }
    EXPECT_EQ(ReadWholeFile(Path("tovarin.log")), "Error in opening " + Path("tovarin.cfg") + "\n");
}

TEST_F(ReducerDlgTest, SettingsWithFreqAndWithAnUnknownKind)
{
    struct Case
    {
        int kind;
        int shownSelection;
        const char* responseMax;
    } const cases[] = {{1, 1, "15000.00"}, {2, -1, "0.00"}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.kind);
        std::string text;
        for (int row = 0; row < 19; ++row)
            text += "12.5\t2.718\n";
        WriteWholeFile(Path("tovarin.cfg"), text + "3\n" + std::to_string(c.kind) + "\nHFM5\n");
        auto dialog = Open();
        EXPECT_EQ(List(*dialog, kResponseKindListId)->currentIndex(), c.shownSelection);
        EXPECT_EQ(List(*dialog, kFlowUnitListId)->currentText(), "SCFM");
        EXPECT_EQ(Text(*dialog, kResponseMaxId), c.responseMax);
        EXPECT_EQ(Text(*dialog, kPointCountId), "1024");
        EXPECT_EQ(Text(*dialog, kMeterTypeId), "HFM5");
        EXPECT_EQ(Text(*dialog, 1005), "12.50");
        EXPECT_EQ(Text(*dialog, 1020), "2.72");
        EXPECT_EQ(dialog->ResponseChart()->YLegend(), "Freq (Hz)");
        EXPECT_EQ(dialog->ResponseChart()->YMax(), 15000.0);
    }
}

TEST_F(ReducerDlgTest, RunTestButtonRunsTheWorkedExample)
{
    {
        auto dialog = Open();
        dialog->show();
        TypeWorkedExample(*dialog);
        Type(*dialog, kMeterTypeId, "TYPE7 spare");
        QTest::mouseClick(dialog->Button(2), Qt::LeftButton);

        const char* expected[][3] = {{"0.00", "1.00", "0.00"},
                                     {"5.00", "1.80", "-0.04"},
                                     {"10.00", "2.30", "0.11"},
                                     {"20.00", "3.10", "-0.07"}};
        for (std::size_t row = 0; row < 19; ++row) {
            SCOPED_TRACE(row);
            EXPECT_EQ(Text(*dialog, kRowControls[row].maf), row < 4 ? expected[row][0] : "");
            EXPECT_EQ(Text(*dialog, kRowControls[row].fit), row < 4 ? expected[row][1] : "");
            EXPECT_EQ(Text(*dialog, kRowControls[row].errorPct), row < 4 ? expected[row][2] : "");
        }
        EXPECT_EQ(Text(*dialog, kCoefficientAId), "1.000");
        EXPECT_EQ(Text(*dialog, kCoefficientBId), "0.261");
        EXPECT_EQ(Text(*dialog, kCoefficientCId), "0.696");

        const ChartSpec& response = *dialog->Plots().responseSpec;
        EXPECT_EQ(response.kind, 6);
        EXPECT_EQ(response.xMin, 0.0);
        EXPECT_EQ(response.xMax, 21.0);
        EXPECT_EQ(response.yMax, 5.0);
        EXPECT_EQ(response.pointCount, 4);
        EXPECT_EQ(dialog->ResponseChart()->Spec(), &response);
        EXPECT_EQ(dialog->ResponseChart()->YLegend(), "Volts");
        EXPECT_EQ(dialog->ErrorChart()->XMax(), 4.0);
        EXPECT_EQ(dialog->Plots().errorSpec->points[2],
                  dialog->CurrentCalibration().set.fittedResponse[1]);
        EXPECT_TRUE(dialog->isVisible());
    }
    const std::string log = ReadWholeFile(Path("tovarin.log"));
    EXPECT_NE(log.find("*** Executing Run ***\n\n~~~~ USING LINEAR MODE ~~~~\n"),
              std::string::npos);
    EXPECT_NE(log.find("Fit Coefficients: a = 1.000  b = 0.261   c = 0.696\n"), std::string::npos);
    std::string rows = "0.000000\t1.000000\n5.000000\t1.800000\n10.000000\t2.300000\n"
                       "20.000000\t3.100000\n";
    for (int row = 4; row < 19; ++row)
        rows += "0.000000\t0.000000\n";
    EXPECT_EQ(ReadWholeFile(Path("tovarin.cfg")), rows + "0\n0\nTYPE7\n");
}

TEST_F(ReducerDlgTest, EscapeCloseAndEnterRunTheTestAndKeepTheWindowOpen)
{
    auto dialog = Open();
    dialog->show();
    TypeWorkedExample(*dialog);
    List(*dialog, kResponseKindListId)->setCurrentIndex(1);
    QTest::keyClick(Edit(*dialog, 1005), Qt::Key_Escape);
    EXPECT_EQ(Text(*dialog, kCoefficientCId), "0.696");
    EXPECT_TRUE(dialog->isVisible());
    // Freq: x from trunc(0) - 1, y between the first and last responses.
    EXPECT_EQ(dialog->Plots().responseSpec->xMin, -1.0);
    EXPECT_EQ(dialog->Plots().responseSpec->yMin, 1.0);
    EXPECT_EQ(dialog->Plots().responseSpec->yMax, 3.0);
    EXPECT_EQ(dialog->ResponseChart()->YLegend(), "Freq");

    Type(*dialog, kRowControls[3].flow, "40");
    dialog->close();
    EXPECT_TRUE(dialog->isVisible());
    EXPECT_EQ(Text(*dialog, kRowControls[3].maf), "40.00");

    Type(*dialog, kRowControls[3].flow, "30");
    QTest::keyClick(Edit(*dialog, kRowControls[3].flow), Qt::Key_Return);
    QTest::qWait(300); // the default button clicks after its press animation
    EXPECT_EQ(Text(*dialog, kRowControls[3].maf), "30.00");
    EXPECT_TRUE(dialog->isVisible());
}

TEST_F(ReducerDlgTest, ShortRunKeepsTheLastResultsAndPairsTheOldFit)
{
    auto dialog = Open();
    TypeWorkedExample(*dialog);
    Type(*dialog, kRowControls[4].flow, "40");
    Type(*dialog, kRowControls[4].response, "4.0");
    dialog->OnRunTest();
    const std::string c = Text(*dialog, kCoefficientCId);
    const double oldFit1 = dialog->CurrentCalibration().set.fittedResponse[1];
    Type(*dialog, kRowControls[2].flow, "1");
    dialog->OnRunTest();
    EXPECT_EQ(dialog->CurrentCalibration().set.rowCount, 2);
    EXPECT_EQ(Text(*dialog, kCoefficientCId), c);
    EXPECT_EQ(Text(*dialog, kRowControls[4].maf), "40.00");
    const ChartSpec& error = *dialog->Plots().errorSpec;
    EXPECT_EQ(error.pointCount, 2);
    EXPECT_EQ(error.points[2], oldFit1);
    EXPECT_EQ(error.points[3], 1.8);
}

TEST_F(ReducerDlgTest, ExitWithoutARunLeavesTheSettingsFile)
{
    WriteWholeFile(Path("tovarin.cfg"), "stored\n");
    auto dialog = Open();
    dialog->show();
    QTest::mouseClick(dialog->Button(1), Qt::LeftButton);
    EXPECT_FALSE(dialog->isVisible());
    EXPECT_EQ(dialog->result(), QDialog::Accepted);
    EXPECT_EQ(ReadWholeFile(Path("tovarin.cfg")), "stored\n");
}

TEST_F(ReducerDlgTest, RunLogThatCannotBeOpenedEndsTheProgram)
{
    std::filesystem::create_directory(Path("tovarin.log")); // even root cannot open it
    auto dialog = Open();
    EXPECT_FALSE(opened);
    EXPECT_EQ(exitStatus, 0);
    EXPECT_EQ(platform.messages,
              std::vector<std::string>{"Unable to open/write Tovarin.log file - Exiting..."});
    EXPECT_FALSE(dialog->isVisible());
    EXPECT_EQ(dialog->ResponseChart(), nullptr);
}

TEST_F(ReducerDlgTest, SettingsThatCannotBeSavedAreReported)
{
    auto dialog = Open();
    std::filesystem::create_directory(Path("tovarin.cfg"));
    TypeWorkedExample(*dialog);
    dialog->OnRunTest();
    ASSERT_EQ(platform.messages.size(), 1u);
    EXPECT_EQ(platform.messages[0], "The settings could not be saved to " + Path("tovarin.cfg") +
                                        ": Is a directory.\nThe results of this run stay on "
                                        "screen, but the next start will not restore them.");
    EXPECT_EQ(Text(*dialog, kCoefficientBId), "0.261");
}

TEST_F(ReducerDlgTest, OutputCommandsWriteFromTheLastRun)
{
    auto dialog = Open();
    TypeWorkedExample(*dialog);
    dialog->OnRunTest();
    Type(*dialog, kMeterTypeId, "CHANGED"); // not run: the files keep the run's meter type
    Type(*dialog, kResponseMaxId, "5");
    Type(*dialog, kPointCountId, "16");

    dialog->OnGenerateOutputFile(); // cancelled: nothing read
    EXPECT_EQ(dialog->StoredOutputParameters().pointCount, 0);

    platform.answer = Path("missing/maffactor.inc");
    dialog->OnGenerateOutputFile();
    EXPECT_EQ(platform.messages, std::vector<std::string>{"File Cannot Be Opened"});

    platform.answer = Path("maffactor.inc");
    dialog->OnGenerateOutputFile();
    platform.answer = Path("maffactor.html");
    dialog->OnGenerateHtmlInfo();
    const OutputParameters output{0.0, 5.0, 16, 0};
    const std::string table = WriteToString(WriteFlowTable, dialog->CurrentCalibration(), output);
    const std::string report = WriteToString(WriteHtmlReport, dialog->CurrentCalibration(), output);
    EXPECT_EQ(ReadWholeFile(Path("maffactor.inc")), table);
    EXPECT_EQ(ReadWholeFile(Path("maffactor.html")), report);
    EXPECT_EQ(table.substr(0, 25), "; */ MAF file for type: *");
}

TEST_F(ReducerDlgTest, GrabShowsTheChartsAndTheMarkers)
{
    auto dialog = Open();
    dialog->show();
    TypeWorkedExample(*dialog);
    dialog->OnRunTest();
    const QImage image = dialog->grab().toImage();
    const QColor teal(0, 128, 128), yellow(255, 255, 0);
    EXPECT_EQ(image.pixelColor(506, 171), teal);
    EXPECT_EQ(image.pixelColor(506, 386), teal);
    EXPECT_NE(image.pixelColor(504, 171), teal);

    // Each measured point is an X of yellow pixels where the chart maps it.
    const CChart& chart = *dialog->ResponseChart();
    const Rect plot = chart.GetPlotRect();
    const double points[][2] = {{5, 1.8}, {10, 2.3}, {20, 3.1}};
    for (const auto& p : points) {
        const int x = static_cast<int>(plot.left + p[0] / (1.0 / chart.XScale()));
        const int y = static_cast<int>(plot.bottom - p[1] / (1.0 / chart.YScale()));
        SCOPED_TRACE(testing::Message() << x << "," << y);
        EXPECT_EQ(image.pixelColor(x - 2, y - 2), yellow);
        EXPECT_EQ(image.pixelColor(x + 2, y + 2), yellow);
        EXPECT_EQ(image.pixelColor(x + 2, y - 2), yellow);
        EXPECT_EQ(image.pixelColor(x - 2, y + 2), yellow);
    }
}
