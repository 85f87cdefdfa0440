// The Qt UI service: message boxes as asked for, modal forms that run until they hide or
// unload, and the common dialogs with what the program hands them.

#include <gtest/gtest.h>

#include <QColorDialog>
#include <QFileDialog>
#include <QFontDatabase>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QProgressBar>
#include <QPushButton>
#include <QTest>
#include <algorithm>
#include <chrono>

#include "GuiTestSupport.h"
#include "SampleForms.h"
#include "gui/FontColorDialog.h"
#include "gui/QtText.h"
#include "gui/QtUi.h"

namespace bp::gui {
namespace {

using forms::MsgButtons;
using forms::MsgIcon;
using forms::MsgResult;

class QtUiTest : public ::testing::Test {
protected:
    QtUiTest() : app_(test::application()) {}

    QApplication& app_;
    QtUi ui_;
    QTemporaryDir folder_;
};

TEST_F(QtUiTest, MessageBoxShowsTheTitleTextIconButtonsAndDefaultAskedFor) {
    QString title, text;
    QMessageBox::Icon icon = QMessageBox::NoIcon;
    QMessageBox::StandardButtons buttons;
    QMessageBox::StandardButton byDefault = QMessageBox::NoButton;
    test::whenModal([&](QWidget& window) {
        auto* box = qobject_cast<QMessageBox*>(&window);
        ASSERT_NE(box, nullptr);
        title = box->windowTitle();
        text = box->text();
        icon = box->icon();
        buttons = box->standardButtons();
        byDefault = box->standardButton(box->defaultButton());
        box->button(QMessageBox::Cancel)->click();
    });
    const MsgResult answer = ui_.message({"brindlepath", "Overwrite the report?\rIt exists.",
                                          MsgButtons::YesNoCancel, MsgIcon::Exclamation, 1});
    EXPECT_EQ(answer, MsgResult::Cancel);
    EXPECT_EQ(title, QStringLiteral("brindlepath"));
    EXPECT_EQ(text, QStringLiteral("Overwrite the report?\nIt exists."));
    EXPECT_EQ(icon, QMessageBox::Warning);
    EXPECT_EQ(buttons, QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
    EXPECT_EQ(byDefault, QMessageBox::No);
}

TEST_F(QtUiTest, MessageBoxAnswersWithTheButtonPressed) {
    const struct {
        MsgButtons buttons;
        MsgIcon icon;
        QMessageBox::StandardButton press;
        MsgResult expected;
        QMessageBox::Icon shown;
    } cases[] = {
        {MsgButtons::OK, MsgIcon::None, QMessageBox::Ok, MsgResult::OK, QMessageBox::NoIcon},
        {MsgButtons::YesNo, MsgIcon::Question, QMessageBox::Yes, MsgResult::Yes,
         QMessageBox::Question},
        {MsgButtons::OKCancel, MsgIcon::Information, QMessageBox::Cancel, MsgResult::Cancel,
         QMessageBox::Information},
        {MsgButtons::RetryCancel, MsgIcon::Critical, QMessageBox::Retry, MsgResult::Retry,
         QMessageBox::Critical},
        {MsgButtons::AbortRetryIgnore, MsgIcon::Critical, QMessageBox::Ignore, MsgResult::Ignore,
         QMessageBox::Critical},
    };
    for (const auto& c : cases) {
        QMessageBox::Icon icon = QMessageBox::NoIcon;
        test::whenModal([&](QWidget& window) {
            auto* box = qobject_cast<QMessageBox*>(&window);
            ASSERT_NE(box, nullptr);
            icon = box->icon();
            box->button(c.press)->click();
        });
        EXPECT_EQ(ui_.message({"brindlepath", "Question", c.buttons, c.icon, 0}), c.expected);
        EXPECT_EQ(icon, c.shown);
    }
}

TEST_F(QtUiTest, ModalFormRunsUntilItHides) {
    test::SelectionForm owner(ui_);
    test::ConfirmForm dialog(ui_);
    test::whenModal([](QWidget& window) {
        auto* name = window.findChild<QLineEdit*>(QStringLiteral("txtName"));
        ASSERT_NE(name, nullptr);
        QTest::keyClicks(name, QStringLiteral("Q3 West"));
        QTest::keyClick(name, Qt::Key_Return);  // the default button
    });
    dialog.showModal();
    EXPECT_EQ(dialog.result, "ok:Q3 West");
    EXPECT_FALSE(dialog.visible());
    EXPECT_TRUE(dialog.loaded());
    EXPECT_EQ(ui_.rendererOf(dialog), nullptr);  // its window is gone
}

TEST_F(QtUiTest, ModalFormEndsWhenEscUnloadsIt) {
    test::ConfirmForm dialog(ui_);
    test::whenModal([](QWidget& window) { QTest::keyClick(&window, Qt::Key_Escape); });
    dialog.showModal();
    EXPECT_EQ(dialog.result, "cancel");
    EXPECT_FALSE(dialog.loaded());
}

TEST_F(QtUiTest, ClosingAModalWindowUnloadsItsForm) {
    test::ConfirmForm dialog(ui_);
    test::whenModal([](QWidget& window) { window.close(); });
    dialog.showModal();
    EXPECT_FALSE(dialog.loaded());
    EXPECT_EQ(dialog.result, "");
}

TEST_F(QtUiTest, SaveDialogGetsTheFilterExtensionFolderAndOverwritePrompt) {
    QStringList filters;
    QString suffix, directory, title;
    bool confirms = false;
    test::whenModal([&](QWidget& window) {
        auto* dialog = qobject_cast<QFileDialog*>(&window);
        ASSERT_NE(dialog, nullptr);
        filters = dialog->nameFilters();
        suffix = dialog->defaultSuffix();
        directory = dialog->directory().absolutePath();
        title = dialog->windowTitle();
        confirms = !dialog->testOption(QFileDialog::DontConfirmOverwrite);
        dialog->selectFile(QStringLiteral("west"));
        static_cast<QDialog*>(dialog)->accept();
    });
    const auto path = ui_.saveFile(
        {"Export to", "CSV Files (*.CSV)|*.CSV", "CSV", fromQt(folder_.path()), "", true});
    ASSERT_TRUE(path.has_value());
    EXPECT_EQ(*path, fromQt(folder_.filePath(QStringLiteral("west.CSV"))));
    EXPECT_EQ(filters, QStringList{QStringLiteral("CSV Files (*.CSV *.csv)")});
    EXPECT_EQ(suffix, QStringLiteral("CSV"));
    EXPECT_EQ(directory, QDir(folder_.path()).absolutePath());
    EXPECT_EQ(title, QStringLiteral("Export to"));
    EXPECT_TRUE(confirms);
}

TEST_F(QtUiTest, CancelledSaveDialogAnswersNothing) {
    test::whenModal([](QWidget& window) { static_cast<QDialog&>(window).reject(); });
    EXPECT_FALSE(ui_.saveFile({"Export to", "CSV Files (*.CSV)|*.CSV", "CSV",
                               fromQt(folder_.path()), "", false})
                     .has_value());
}

TEST_F(QtUiTest, WindowsFiltersBecomeQtFilters) {
    const struct {
        const char* given;
        const char* expected;
    } cases[] = {
        {"CSV Files (*.CSV)|*.CSV", "CSV Files (*.CSV *.csv)"},
        {"Reports|*.DXL;*.DCS", "Reports (*.DXL *.dxl *.DCS *.dcs)"},
        {"Text (*.txt)|*.txt|All Files (*.*)|*.*", "Text (*.txt);;All Files (*)"},
        {"", ""},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(qtFileFilter(c.given), QString::fromUtf8(c.expected)) << c.given;
    }
}

TEST_F(QtUiTest, FolderBrowserOffersFoldersOnly) {
    QDir(folder_.path()).mkdir(QStringLiteral("Templates"));
    bool foldersOnly = false;
    test::whenModal([&](QWidget& window) {
        auto* dialog = qobject_cast<QFileDialog*>(&window);
        ASSERT_NE(dialog, nullptr);
        foldersOnly = dialog->fileMode() == QFileDialog::Directory &&
                      dialog->testOption(QFileDialog::ShowDirsOnly);
        dialog->selectFile(QDir(folder_.path()).filePath(QStringLiteral("Templates")));
        static_cast<QDialog*>(dialog)->accept();
    });
    const auto folder = ui_.browseFolder("Templates folder", fromQt(folder_.path()));
    ASSERT_TRUE(folder.has_value());
    EXPECT_TRUE(foldersOnly);
    EXPECT_EQ(*folder, fromQt(QDir(folder_.path()).filePath(QStringLiteral("Templates"))));
}

TEST_F(QtUiTest, FontDialogKeepsStylesSizeAndColour) {
    test::whenModal([](QWidget& window) {
        ASSERT_NE(qobject_cast<FontColorDialog*>(&window), nullptr);
        static_cast<QDialog&>(window).accept();
    });
    forms::FontChoice initial;
    // A family this machine has in bold, so the dialog has no reason to fall back.
    for (const QString& family : QFontDatabase::families()) {
        if (QFontDatabase::styles(family).contains(QStringLiteral("Bold"))) {
            initial.name = fromQt(family);
            break;
        }
    }
    initial.size = 14;
    initial.bold = true;
    initial.underline = true;
    initial.strikeThrough = true;
    initial.color = 0x0000FF;  // red, as the spreadsheet stores it
    const auto chosen = ui_.chooseFont(initial);
    ASSERT_TRUE(chosen.has_value());
    EXPECT_EQ(chosen->size, 14);
    EXPECT_TRUE(chosen->bold);
    EXPECT_FALSE(chosen->italic);
    EXPECT_TRUE(chosen->underline);
    EXPECT_TRUE(chosen->strikeThrough);
    EXPECT_EQ(chosen->color, 0x0000FFu);
}

TEST_F(QtUiTest, ColourDialogAnswersInTheSpreadsheetsByteOrder) {
    test::whenModal([](QWidget& window) {
        auto* dialog = qobject_cast<QColorDialog*>(&window);
        ASSERT_NE(dialog, nullptr);
        dialog->setCurrentColor(QColor(0x12, 0x34, 0x56));
        static_cast<QDialog*>(dialog)->accept();
    });
    EXPECT_EQ(ui_.chooseColor(0), std::optional<std::uint32_t>(0x563412));
}

TEST_F(QtUiTest, BusyPointerIsShownUntilTheWorkEnds) {
    ui_.setBusy(true);
    ui_.setBusy(true);
    ASSERT_NE(QApplication::overrideCursor(), nullptr);
    EXPECT_EQ(QApplication::overrideCursor()->shape(), Qt::WaitCursor);
    ui_.setBusy(false);
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);
}

TEST_F(QtUiTest, AttachedFormFollowsItsVisibleFlag) {
    test::SelectionForm form(ui_);
    FormRenderer& renderer = ui_.attach(form);
    EXPECT_FALSE(renderer.window().isVisible());
    form.show();
    EXPECT_TRUE(renderer.window().isVisible());
    EXPECT_EQ(renderer.window().windowTitle(), QStringLiteral("Sales Selection"));
    form.unload();
    EXPECT_FALSE(renderer.window().isVisible());
    ui_.detach(form);
    EXPECT_EQ(ui_.rendererOf(form), nullptr);
}

// The progress window of a long run: phase, percentage and a Cancel button that asks the run
// to stop; the run's end takes the window away.
TEST_F(QtUiTest, TheProgressWindowShowsThePhaseAndCancelsTheRun) {
    core::ProgressSink* sink = ui_.progressSink();
    ASSERT_NE(sink, nullptr);
    EXPECT_EQ(sink->timing().showAfter, std::chrono::milliseconds(1000));
    sink->started();
    sink->show("Writing", 0.5);
    QApplication::processEvents();
    QWidget* window = nullptr;
    for (QWidget* top : QApplication::topLevelWidgets()) {
        if (top->isVisible() && top->findChild<QProgressBar*>() != nullptr) {
            window = top;
        }
    }
    ASSERT_NE(window, nullptr);
    EXPECT_EQ(window->findChild<QProgressBar*>()->value(), 50);
    EXPECT_NE(window->findChild<QLabel*>(), nullptr);
    EXPECT_EQ(window->findChild<QLabel*>()->text(), QStringLiteral("Writing"));
    auto* cancel = window->findChild<QPushButton*>();
    ASSERT_NE(cancel, nullptr);
    EXPECT_EQ(cancel->text(), QStringLiteral("Cancel"));
    EXPECT_FALSE(sink->cancelRequested());
    QTest::mouseClick(cancel, Qt::LeftButton);
    EXPECT_TRUE(sink->cancelRequested());
    sink->finished();
    QApplication::processEvents();
    EXPECT_FALSE(window->isVisible());
    sink->started();
    EXPECT_FALSE(sink->cancelRequested());
}

// A busy bar while the amount of work is not known.
TEST_F(QtUiTest, TheProgressWindowShowsWorkOfUnknownSizeAsBusy) {
    core::ProgressSink* sink = ui_.progressSink();
    sink->show("Selecting", -1);
    QApplication::processEvents();
    QProgressBar* bar = nullptr;
    for (QWidget* top : QApplication::topLevelWidgets()) {
        if (top->isVisible() && top->findChild<QProgressBar*>() != nullptr) {
            bar = top->findChild<QProgressBar*>();
        }
    }
    ASSERT_NE(bar, nullptr);
    EXPECT_EQ(bar->maximum(), 0);
    sink->finished();
}

// While a run lets events through, the forms' timers wait; they tick again after it.
TEST_F(QtUiTest, FormTimersWaitWhileARunLetsEventsThrough) {
    test::SelectionForm form(ui_);
    FormRenderer renderer(form);
    form.show();
    form.tmrTick->setInterval(5);
    QTest::qWait(30);
    form.log.clear();
    const auto until = std::chrono::steady_clock::now() + std::chrono::milliseconds(60);
    while (std::chrono::steady_clock::now() < until) {
        ui_.processEvents();
    }
    EXPECT_EQ(std::count(form.log.begin(), form.log.end(), "tmrTick_Timer"), 0);
    QTest::qWait(60);
    EXPECT_GT(std::count(form.log.begin(), form.log.end(), "tmrTick_Timer"), 0);
}

}  // namespace
}  // namespace bp::gui
