// Pictures of rendered windows: one per tab, named after the form and the tab, taken without
// changing what the form thinks is on screen.

#include <gtest/gtest.h>

#include <QImage>
#include <QTabWidget>

#include "GuiTestSupport.h"
#include "SampleForms.h"
#include "gui/FormRenderer.h"
#include "gui/QtUi.h"
#include "gui/Screenshots.h"

namespace bp::gui {
namespace {

class ScreenshotsTest : public ::testing::Test {
protected:
    ScreenshotsTest() : app_(test::application()) {}

    QApplication& app_;
    QtUi ui_;
    QTemporaryDir folder_;
};

TEST_F(ScreenshotsTest, OnePicturePerTabNamedAfterFormAndTab) {
    test::SelectionForm form(ui_);
    FormRenderer renderer(form);
    form.tabMain->setTab(1, forms::Announcement::BeQuiet);
    form.log.clear();

    Screenshots shots(folder_.path());
    ASSERT_TRUE(shots.capture(renderer));
    const QString criteria = folder_.filePath(QStringLiteral("frmSelection-Criteria.png"));
    const QString output = folder_.filePath(QStringLiteral("frmSelection-Output.png"));
    EXPECT_EQ(shots.written(), (QStringList{criteria, output}));
    const QImage picture(criteria);
    ASSERT_FALSE(picture.isNull());
    EXPECT_EQ(picture.size(), renderer.window().size() * renderer.window().devicePixelRatio());
    EXPECT_NE(QImage(criteria), QImage(output));  // two different pages

    EXPECT_EQ(form.tabMain->tab(), 1);
    EXPECT_TRUE(form.log.empty());
    EXPECT_EQ(renderer.window().findChild<QTabWidget*>()->currentIndex(), 1);
    // Pictures can be taken of what was on screen: the form was not, and still is not.
    EXPECT_FALSE(renderer.window().isVisible());
}

TEST_F(ScreenshotsTest, WindowWithoutTabsGivesOnePicture) {
    test::ConfirmForm form(ui_);
    FormRenderer renderer(form);
    Screenshots shots(folder_.path());
    ASSERT_TRUE(shots.capture(renderer));
    EXPECT_EQ(shots.written(), QStringList{folder_.filePath(QStringLiteral("frmConfirm.png"))});
}

TEST_F(ScreenshotsTest, UnwritableFolderIsReported) {
    test::ConfirmForm form(ui_);
    FormRenderer renderer(form);
    Screenshots shots(folder_.filePath(QStringLiteral("missing/deeper")));
    EXPECT_FALSE(shots.capture(renderer));
    EXPECT_EQ(shots.failed().size(), 1);
}

TEST_F(ScreenshotsTest, TabCaptionsBecomeSafeFileNames) {
    EXPECT_EQ(Screenshots::fileNamePart(QStringLiteral("&General")), QStringLiteral("General"));
    EXPECT_EQ(Screenshots::fileNamePart(QStringLiteral("Sort && Totals")),
              QStringLiteral("SortTotals"));
    EXPECT_EQ(Screenshots::fileNamePart(QStringLiteral("Fields/Layout")),
              QStringLiteral("FieldsLayout"));
}

}  // namespace
}  // namespace bp::gui
