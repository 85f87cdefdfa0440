// The program from start-up on a demo host, driven through its real widgets: the main window
// and its four tabs, the criteria lists filled from the host, enabling rules on a click, and
// the window closing with the program's loop.

#include <gtest/gtest.h>

#include <QCheckBox>
#include <QImage>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QTabBar>
#include <QTabWidget>
#include <QTest>
#include <filesystem>

#include "GuiTestSupport.h"
#include "ProgramFixture.h"
#include "app/EmbeddedHostFactory.h"
#include "app/FrmMain.h"
#include "gui/Program.h"
#include "gui/Screenshots.h"

namespace bp::gui {
namespace {

class ProgramTest : public test::ProgramFixture {
protected:
    ProgramTest() { std::filesystem::create_directories(temp_.file("Templates")); }
};

TEST_F(ProgramTest, StartUpShowsTheMainWindowWithItsFourTabsAndTheHostsUsers) {
    ASSERT_TRUE(program_.start());
    FormWindow& window = program_.mainRenderer()->window();
    EXPECT_TRUE(window.isVisible());
    EXPECT_EQ(window.objectName(), QStringLiteral("frmMain"));
    auto* tabs = widget<QTabWidget>("mstSSTab");
    ASSERT_EQ(tabs->count(), 4);
    // Every user of the host is offered as a record manager.
    auto* managers = widget<QListWidget>("lstCriteria0");
    QApplication::processEvents();
    EXPECT_EQ(managers->count(),
              program_.mainWindow()->criteriaControls().lstCriteria[0].listCount());
    EXPECT_GE(managers->count(), 5);
}

TEST_F(ProgramTest, TabsAndOptionsAnswerClicksAndCloseEndsTheProgram) {
    ASSERT_TRUE(program_.start());
    auto* tabs = widget<QTabWidget>("mstSSTab");
    QTest::mouseClick(tabs->tabBar(), Qt::LeftButton, {}, tabs->tabBar()->tabRect(1).center());
    EXPECT_EQ(program_.mainWindow()->mstSSTab().tab(), 1);

    auto* narrow = widget<QRadioButton>("optLookup2");
    tabs->setCurrentIndex(0);
    QTest::mouseClick(narrow, Qt::LeftButton, {}, QPoint(6, narrow->height() / 2));
    EXPECT_TRUE(program_.mainWindow()->criteriaControls().optLookup[2].value());

    QTimer::singleShot(
        0, qApp, [this] { QTest::mouseClick(widget<QPushButton>("cmdCancel"), Qt::LeftButton); });
    EXPECT_EQ(program_.exec(), 0);
    EXPECT_FALSE(program_.mainWindow()->loaded());
    EXPECT_FALSE(program_.mainRenderer()->window().isVisible());
    // The window's settings were saved on the way out, to the test's own store.
    EXPECT_TRUE(std::filesystem::exists(temp_.file("settings.ini")));
}

TEST_F(ProgramTest, MissingHostDatabaseIsToldAndNothingOpens) {
    std::filesystem::remove(temp_.file("host.db"));
    QString text;
    test::whenModal([&text](QWidget& window) {
        text = window.findChild<QLabel*>(QStringLiteral("qt_msgbox_label"))->text();
        QTest::keyClick(&window, Qt::Key_Return);
    });
    EXPECT_FALSE(program_.start());
    EXPECT_TRUE(text.startsWith(QStringLiteral("There is no contact database at ")));
    EXPECT_EQ(program_.mainWindow(), nullptr);
}

// The embedded host, pictured on screen while it opens: what the user sees during the wait.
class HostSeenOpening : public app::HostFactory {
public:
    HostSeenOpening(std::string path, QImage& splash) : path_(std::move(path)), splash_(splash) {}
    std::unique_ptr<act::Host> open() const override {
        for (QWidget* window : QApplication::topLevelWidgets()) {
            if (window->objectName() == QStringLiteral("frmSplash") && window->isVisible()) {
                splash_ = window->grab().toImage();
            }
        }
        return app::EmbeddedHostFactory(path_).open();
    }

private:
    std::string path_;
    QImage& splash_;
};

TEST_F(ProgramTest, TheSplashWindowIsOnScreenAndDrawnWhileTheHostOpens) {
    QImage splash;
    Program program(ui_, std::make_unique<HostSeenOpening>(temp_.file("host.db"), splash));
    ASSERT_TRUE(program.start());
    ASSERT_FALSE(splash.isNull()) << "no splash window was shown while the host opened";
    // Drawn: the title and status text stand out from the background.
    const QRgb background = splash.pixel(0, 0);
    int drawn = 0;
    for (int y = 0; y < splash.height(); ++y) {
        for (int x = 0; x < splash.width(); ++x) {
            drawn += splash.pixel(x, y) != background;
        }
    }
    EXPECT_GT(drawn, 50);
    // Gone once the main window is up.
    for (QWidget* window : QApplication::topLevelWidgets()) {
        EXPECT_FALSE(window->objectName() == QStringLiteral("frmSplash") && window->isVisible());
    }
}

TEST_F(ProgramTest, ScreenshotsWithoutTheStarterDefinitionFailButKeepTheOtherPictures) {
    // This program folder has no starter definition, so the report settings cannot be
    // pictured: the command says so, and every other window is still pictured.
    ASSERT_TRUE(program_.start());
    const QString folder = QString::fromStdString(temp_.file("shots"));
    QDir().mkpath(folder);
    EXPECT_NE(program_.screenshots(folder), 0);
    const auto tabs = widget<QTabWidget>("mstSSTab");
    for (int i = 0; i < tabs->count(); ++i) {
        const QString name = QStringLiteral("frmMain-") +
                             Screenshots::fileNamePart(tabs->tabText(i)) + QStringLiteral(".png");
        EXPECT_TRUE(QFile::exists(QDir(folder).filePath(name))) << qPrintable(name);
    }
    EXPECT_TRUE(QFile::exists(QDir(folder).filePath(QStringLiteral("frmAbout.png"))));
    EXPECT_FALSE(
        QFile::exists(QDir(folder).filePath(QStringLiteral("frmReportSettings-Data.png"))));
}

}  // namespace
}  // namespace bp::gui
