// The program as a user meets it, on a generated demo host and a program folder holding the
// starter files: a CSV export run driven through the real widgets from start-up to the written
// file, and the --screenshots command picturing every window and every tab.

#include <gtest/gtest.h>

#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QLabel>
#include <QListWidget>
#include <QProcess>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <QTest>
#include <QTimer>
#include <QTreeView>
#include <filesystem>
#include <fstream>
#include <string>

#include "GuiTestSupport.h"
#include "ProgramFixture.h"
#include "app/FrmMain.h"
#include "gui/Program.h"

namespace bp::gui {
namespace {

namespace fs = std::filesystem;

const fs::path kSourceData = fs::path(BRINDLEPATH_TEST_SOURCE_DIR) / "data";

class DesktopRunTest : public test::ProgramFixture {
protected:
    DesktopRunTest() : ProgramFixture("home") {
        // A program folder as the build leaves it: the starter definitions and the
        // ready-made reports.
        const fs::path home = temp_.file("home");
        fs::create_directories(home / "Templates");
        for (const char* starter : {"brindlepath_def.DXL", "brindlepath_def.DCS"}) {
            fs::copy_file(kSourceData / starter, home / starter);
        }
        for (const auto& entry : fs::directory_iterator(kSourceData / "Templates")) {
            fs::copy_file(entry.path(), home / "Templates" / entry.path().filename());
        }
    }
};

std::string firstLine(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::string line;
    std::getline(in, line);
    return line;
}

TEST_F(DesktopRunTest, CsvExportFromTheMainWindowWritesTheFileAndCloses) {
    const std::string exported = temp_.file("opportunities.csv");
    int asked = 0;
    ui_.setSaveFileAnswer([&](const forms::SaveFileRequest&) -> std::optional<std::string> {
        ++asked;
        return exported;
    });
    ASSERT_TRUE(program_.start());
    widget<QTabWidget>("mstSSTab")->setCurrentIndex(0);

    QTest::mouseClick(widget<QRadioButton>("optChoice1"), Qt::LeftButton, {}, QPoint(6, 6));
    ASSERT_TRUE(program_.mainWindow()->criteriaControls().optChoice[1].value());

    auto* output = widget<QComboBox>("cboOutput");
    const int csv = output->findText(QStringLiteral("CSV File (Export)"));
    ASSERT_GE(csv, 0);
    // Chosen as the user chooses: through the combo's popup, one entry down at a time.
    output->setFocus();
    while (output->currentIndex() != csv) {
        const int before = output->currentIndex();
        QTest::keyClick(output, before < csv ? Qt::Key_Down : Qt::Key_Up);
        ASSERT_NE(output->currentIndex(), before);
    }

    ASSERT_EQ(program_.mainWindow()->criteriaControls().cboOutput->text(), "CSV File (Export)");
    QApplication::processEvents();  // the list shows what the model holds once events ran
    auto* reports = widget<QListWidget>("lstReports");
    const auto found = reports->findItems(QStringLiteral("All Opportunities"), Qt::MatchExactly);
    ASSERT_EQ(found.size(), 1) << "the CSV definitions are listed once CSV is chosen";
    QTest::mouseClick(reports->viewport(), Qt::LeftButton, {},
                      reports->visualItemRect(found.front()).center());

    QTimer::singleShot(0, qApp,
                       [this] { QTest::mouseClick(widget<QPushButton>("cmdOK"), Qt::LeftButton); });
    EXPECT_EQ(program_.exec(), 0);

    EXPECT_EQ(asked, 1);
    ASSERT_TRUE(fs::exists(exported));
    EXPECT_EQ(firstLine(exported),
              "\"Company\",\"Contact\",\"City\",\"Product\",\"Type\",\"Main competitor\","
              "\"Sales Stage\",\"Status\",\"Probability\",\"Units\",\"Price\",\"Amount\","
              "\"Forecasted amount\",\"Creation Date\",\"Close Date\",\"Sales Record Manager\"\r");
    EXPECT_GT(fs::file_size(exported), firstLine(exported).size() + 1)
        << "the demo host has sales opportunities, so rows follow the header";
    EXPECT_FALSE(program_.mainWindow()->loaded());
    EXPECT_FALSE(program_.mainRenderer()->window().isVisible());
}

// The preview opens over the main window with the export's first rows under the definition's
// captions; closing it leaves the main window open and nothing written.
TEST_F(DesktopRunTest, ThePreviewShowsTheExportsRowsAndClosesBackToTheMainWindow) {
    int asked = 0;
    ui_.setSaveFileAnswer([&](const forms::SaveFileRequest&) -> std::optional<std::string> {
        ++asked;
        return std::nullopt;
    });
    ASSERT_TRUE(program_.start());
    auto& c = program_.mainWindow()->criteriaControls();
    c.optChoice[1].setValue(true);
    c.cboOutput->setText("CSV File (Export)");
    c.lstReports->setListIndex(-1);
    for (int i = 0; i < c.lstReports->listCount(); ++i) {
        if (c.lstReports->list(i) == "All Opportunities") {
            c.lstReports->setListIndex(i);
        }
    }
    ASSERT_GE(c.lstReports->listIndex(), 0);
    QApplication::processEvents();

    QString header;
    int rows = -1;
    QString total;
    bool closedBack = false;
    QTimer::singleShot(0, qApp, [&] {
        QWidget* preview = QApplication::activeModalWidget();
        ASSERT_NE(preview, nullptr);
        EXPECT_EQ(preview->objectName(), QStringLiteral("frmPreview"));
        auto* list = preview->findChild<QTreeView*>(QStringLiteral("lvwRows"));
        ASSERT_NE(list, nullptr);
        rows = list->model()->rowCount();
        header = list->model()->headerData(0, Qt::Horizontal).toString();
        auto* label = preview->findChild<QLabel*>(QStringLiteral("lblTotal"));
        ASSERT_NE(label, nullptr);
        total = label->text();
        QTest::mouseClick(preview->findChild<QPushButton*>(QStringLiteral("cmdClose")),
                          Qt::LeftButton);
        closedBack = true;
    });
    auto* button = widget<QPushButton>("cmdPreview");
    ASSERT_NE(button, nullptr);
    EXPECT_EQ(button->text(), QStringLiteral("Pre&view"));
    QTest::mouseClick(button, Qt::LeftButton);
    EXPECT_TRUE(closedBack);
    EXPECT_GT(rows, 0);
    EXPECT_LE(rows, 200);
    EXPECT_EQ(header, QStringLiteral("Company"));
    EXPECT_TRUE(total.endsWith(QStringLiteral(" rows:"))) << total.toStdString();
    EXPECT_EQ(asked, 0);
    EXPECT_FALSE(fs::exists(temp_.file("home/data.CSV")));
    EXPECT_TRUE(program_.mainWindow()->loaded());
    EXPECT_TRUE(program_.mainRenderer()->window().isVisible());
}

// The count under the tabs follows a click on a status box, counted by the window's own
// timer off the user-interface thread while the event loop keeps running.
TEST_F(DesktopRunTest, TheCountUnderTheTabsFollowsAClickOnACriterion) {
    ASSERT_TRUE(program_.start());
    auto* line = widget<QLabel>("lblCount");
    ASSERT_NE(line, nullptr);
    auto counted = [&] { return line->text().endsWith(QStringLiteral(" match")); };
    widget<QTabWidget>("mstSSTab")->setCurrentIndex(0);
    QTest::mouseClick(widget<QRadioButton>("optChoice0"), Qt::LeftButton, {}, QPoint(6, 6));
    ASSERT_TRUE(QTest::qWaitFor(counted, 20000)) << line->text().toStdString();
    const QString before = line->text();

    auto* won = widget<QCheckBox>("chkSales1");
    ASSERT_NE(won, nullptr);
    widget<QTabWidget>("mstSSTab")->setCurrentIndex(1);
    QApplication::processEvents();
    QTest::mouseClick(won, Qt::LeftButton, {}, QPoint(6, 6));
    // Said at the timer's next tick, and for as long as the choices take to settle.
    EXPECT_TRUE(
        QTest::qWaitFor([&] { return line->text() == QStringLiteral("Counting\u2026"); }, 5000));
    ASSERT_TRUE(QTest::qWaitFor([&] { return counted() && line->text() != before; }, 20000))
        << line->text().toStdString();
    EXPECT_TRUE(program_.mainWindow()->loaded());
}

TEST_F(DesktopRunTest, ScreenshotsCommandPicturesEveryWindowAndTab) {
    const QString folder = QString::fromStdString(temp_.file("shots"));
    QProcess command;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    command.setProcessEnvironment(env);
    command.start(QStringLiteral(BRINDLEPATH_TEST_BIN_DIR "/brindlepath"),
                  {QStringLiteral("--screenshots"), folder});
    ASSERT_TRUE(command.waitForFinished(60000));
    EXPECT_EQ(command.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(command.exitCode(), 0) << command.readAllStandardError().toStdString();

    const QStringList expected = {
        QStringLiteral("frmMain-General"),
        QStringLiteral("frmMain-Filter"),
        QStringLiteral("frmMain-1stCondition"),
        QStringLiteral("frmMain-2ndCondition"),
        QStringLiteral("frmReportSettings-Data"),
        QStringLiteral("frmReportSettings-Fields"),
        QStringLiteral("frmReportSettings-CustomFields"),
        QStringLiteral("frmReportSettings-1stSection"),
        QStringLiteral("frmReportSettings-2ndSection"),
        QStringLiteral("frmReportSettings-3rdSection"),
        QStringLiteral("frmReportSettings-Summary"),
        QStringLiteral("frmSubTotalOptions"),
        QStringLiteral("frmBorder"),
        QStringLiteral("frmIntegrate"),
        QStringLiteral("frmReportList"),
        QStringLiteral("frmNew"),
        QStringLiteral("frmRename"),
        QStringLiteral("frmTemplateFolder"),
        QStringLiteral("frmAbout"),
        QStringLiteral("frmSplash"),
        QStringLiteral("frmProgress"),
        QStringLiteral("frmPreview"),
    };
    for (const QString& name : expected) {
        const QImage picture(QDir(folder).filePath(name + QStringLiteral(".png")));
        EXPECT_FALSE(picture.isNull()) << qPrintable(name);
        EXPECT_GT(picture.width(), 100) << qPrintable(name);
    }
    QStringList written = QDir(folder).entryList({QStringLiteral("*.png")}, QDir::Files);
    EXPECT_EQ(written.size(), expected.size()) << qPrintable(written.join(QLatin1Char(' ')));

    // The pictures leave the user's reports as they were: nothing added or changed.
    const QStringList templates =
        QDir(QString::fromStdString(temp_.file("home/Templates"))).entryList(QDir::Files);
    const QStringList shipped =
        QDir(QString::fromStdString((kSourceData / "Templates").string())).entryList(QDir::Files);
    EXPECT_EQ(templates, shipped);
}

}  // namespace
}  // namespace bp::gui
