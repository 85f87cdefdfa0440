// The renderer seen from outside: what the user sees on the widgets after acting on them, and
// what the form model receives, on a selection form with enabling rules and key filters.

#include <gtest/gtest.h>

#include <QCheckBox>
#include <QComboBox>
#include <QDateEdit>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QRadioButton>
#include <QTabBar>
#include <QTabWidget>
#include <QTest>
#include <QTreeView>
#include <algorithm>

#include "GuiTestSupport.h"
#include "SampleForms.h"
#include "gui/FormRenderer.h"
#include "gui/QtUi.h"

namespace bp::gui {
namespace {

using forms::Announcement;

class FormRendererTest : public ::testing::Test {
protected:
    FormRendererTest() : app_(test::application()), form_(ui_), renderer_(form_) {
        form_.show();
        QApplication::setActiveWindow(&renderer_.window());
        QApplication::processEvents();
        form_.log.clear();
    }

    template <class W>
    W* widget(const char* name) {
        W* found = renderer_.window().findChild<W*>(QString::fromLatin1(name));
        EXPECT_NE(found, nullptr) << name;
        return found;
    }

    int count(const std::string& entry) const {
        return static_cast<int>(std::count(form_.log.begin(), form_.log.end(), entry));
    }

    // A check box or option button takes clicks on its box and caption only, not on the
    // empty rest of its grid cell.
    static void clickBox(QAbstractButton* box) {
        QTest::mouseClick(box, Qt::LeftButton, {}, QPoint(6, box->height() / 2));
    }

    void clickItem(QListWidget* list, int row, Qt::KeyboardModifiers modifiers = {}) {
        list->scrollToItem(list->item(row));
        const QRect rect = list->visualItemRect(list->item(row));
        QTest::mouseClick(list->viewport(), Qt::LeftButton, modifiers, rect.center());
    }

    QApplication& app_;
    QtUi ui_;
    test::SelectionForm form_;
    FormRenderer renderer_;
};

TEST_F(FormRendererTest, EnablingRulesShowOnTheWidgetsAfterClicks) {
    auto* dates = widget<QCheckBox>("chkDates");
    auto* from = widget<QDateEdit>("dtpFrom");
    ASSERT_FALSE(from->isEnabled());

    clickBox(dates);
    EXPECT_TRUE(dates->isChecked());
    EXPECT_TRUE(from->isEnabled());
    EXPECT_EQ(count("chkDates_Click"), 1);

    clickBox(widget<QRadioButton>("optStatus3"));
    EXPECT_FALSE(widget<QLineEdit>("txtAmount")->isEnabled());
    EXPECT_FALSE(widget<QLabel>("lblAmount")->isEnabled());
    clickBox(widget<QRadioButton>("optStatus0"));
    EXPECT_TRUE(widget<QLineEdit>("txtAmount")->isEnabled());
}

TEST_F(FormRendererTest, OptionButtonsFormOneGroupPerContainer) {
    form_.array<forms::OptionButton>("optScope")[2].setValue(true);
    clickBox(widget<QRadioButton>("optStatus1"));
    clickBox(widget<QRadioButton>("optStatus2"));

    EXPECT_FALSE(widget<QRadioButton>("optStatus1")->isChecked());
    EXPECT_TRUE(widget<QRadioButton>("optStatus2")->isChecked());
    EXPECT_TRUE(form_.array<forms::OptionButton>("optStatus")[2].value());
    EXPECT_FALSE(form_.array<forms::OptionButton>("optStatus")[1].value());
    // The scope frame is another group: its choice stays.
    EXPECT_TRUE(widget<QRadioButton>("optScope2")->isChecked());

    // Clicking the chosen option again keeps it chosen and raises Click again.
    clickBox(widget<QRadioButton>("optStatus2"));
    EXPECT_TRUE(widget<QRadioButton>("optStatus2")->isChecked());
    EXPECT_EQ(count("optStatus_Click 2"), 2);
}

TEST_F(FormRendererTest, DigitsOnlyBoxRefusesALetterWithABeep) {
    auto* amount = widget<QLineEdit>("txtAmount");
    amount->setFocus();
    QTest::keyClicks(amount, QStringLiteral("12a3"));
    EXPECT_EQ(amount->text(), QStringLiteral("123"));
    EXPECT_EQ(form_.txtAmount->text(), "123");
    EXPECT_EQ(ui_.beeps(), 1);
    EXPECT_EQ(count("txtAmount_Change"), 3);
}

TEST_F(FormRendererTest, KeyFilterOfTheFormAndLengthLimitDecide) {
    auto* amount = widget<QLineEdit>("txtAmount");
    QTest::keyClicks(amount, QStringLiteral("0"));
    EXPECT_EQ(amount->text(), QString());  // the form refused it, silently
    EXPECT_EQ(ui_.beeps(), 0);
    QTest::keyClicks(amount, QStringLiteral("1234567"));
    EXPECT_EQ(amount->text(), QStringLiteral("123456"));
    EXPECT_EQ(ui_.beeps(), 1);
    QTest::keyClick(amount, Qt::Key_Backspace);
    EXPECT_EQ(form_.txtAmount->text(), "12345");
}

TEST_F(FormRendererTest, CaseStyleTurnsTypedLettersToCapitals) {
    auto* code = widget<QLineEdit>("txtCode");
    QTest::keyClicks(code, QStringLiteral("nw-3"));
    EXPECT_EQ(code->text(), QStringLiteral("NW-3"));
    EXPECT_EQ(form_.txtCode->text(), "NW-3");
}

// An emoji is one character to the form and two UTF-16 units to the widget.
TEST_F(FormRendererTest, CaretPositionsCountCharactersBeyondTheBasicPlane) {
    auto* code = widget<QLineEdit>("txtCode");
    form_.txtCode->setText(
        "A\xF0\x9F\x98\x80"
        "B");
    form_.txtCode->setSelStart(2);
    EXPECT_EQ(code->cursorPosition(), 3);
    code->setFocus();
    code->setCursorPosition(3);
    QTest::keyClick(code, Qt::Key_Backspace);
    EXPECT_EQ(form_.txtCode->text(), "AB");
    EXPECT_EQ(code->text(), QStringLiteral("AB"));
    form_.txtCode->setText(
        "\xF0\x9F\x98\x80\xF0\x9F\x98\x80"
        "C");
    code->setSelection(2, 3);  // the second emoji and the C
    QTest::keyClick(code, Qt::Key_Backspace);
    EXPECT_EQ(form_.txtCode->text(), "\xF0\x9F\x98\x80");
}

TEST_F(FormRendererTest, ListSelectionFollowsTheModelAndTheUser) {
    auto* fields = widget<QListWidget>("lstField");
    form_.lstField->setListIndex(2, Announcement::BeQuiet);
    EXPECT_EQ(fields->currentRow(), 2);
    EXPECT_TRUE(fields->item(2)->isSelected());

    clickItem(fields, 3);
    EXPECT_EQ(form_.lstField->listIndex(), 3);
    EXPECT_EQ(count("lstField_Click 3"), 1);
    // The handler's rule shows at once.
    EXPECT_TRUE(widget<QLineEdit>("txtAmount")->isEnabled());
    EXPECT_FALSE(widget<QListWidget>("lstProducts")->isEnabled());
}

TEST_F(FormRendererTest, MultipleSelectionFollowsTheModelAndTheUser) {
    auto* products = widget<QListWidget>("lstProducts");
    form_.lstProducts->setSelected(0, true, Announcement::BeQuiet);
    form_.lstProducts->setSelected(2, true, Announcement::BeQuiet);
    EXPECT_TRUE(products->item(0)->isSelected());
    EXPECT_FALSE(products->item(1)->isSelected());
    EXPECT_TRUE(products->item(2)->isSelected());

    clickItem(products, 3);  // a plain click selects that entry alone
    EXPECT_EQ(form_.lstProducts->selectedIndices(), (std::vector<int>{3}));
    EXPECT_EQ(count("lstProducts_Click"), 1);

    clickItem(products, 1, Qt::ControlModifier);
    EXPECT_EQ(form_.lstProducts->selectedIndices(), (std::vector<int>{1, 3}));
    EXPECT_EQ(form_.lstProducts->listIndex(), 1);
    EXPECT_EQ(count("lstProducts_Click"), 2);
    EXPECT_TRUE(products->item(3)->isSelected());
}

TEST_F(FormRendererTest, ModelChangesReachTheWidgetsWithoutRunningHandlersTwice) {
    form_.chkDates->setValue(forms::CheckBox::kChecked, Announcement::BeQuiet);
    EXPECT_TRUE(widget<QCheckBox>("chkDates")->isChecked());
    EXPECT_TRUE(form_.log.empty());

    form_.chkDates->setValue(forms::CheckBox::kUnchecked);
    EXPECT_FALSE(widget<QCheckBox>("chkDates")->isChecked());
    EXPECT_EQ(count("chkDates_Click"), 1);

    form_.txtAmount->setText("42");
    EXPECT_EQ(widget<QLineEdit>("txtAmount")->text(), QStringLiteral("42"));
    EXPECT_EQ(count("txtAmount_Change"), 1);

    form_.lstField->setListIndex(1);
    EXPECT_EQ(count("lstField_Click 1"), 1);
    EXPECT_EQ(widget<QListWidget>("lstField")->currentRow(), 1);

    form_.array<forms::OptionButton>("optStatus")[1].setValue(true);
    EXPECT_EQ(count("optStatus_Click 1"), 1);
}

TEST_F(FormRendererTest, GreyedCheckBoxShowsPartlyChecked) {
    form_.chkDates->setValue(forms::CheckBox::kGrayed, Announcement::BeQuiet);
    EXPECT_EQ(widget<QCheckBox>("chkDates")->checkState(), Qt::PartiallyChecked);
}

TEST_F(FormRendererTest, TabsFollowTheUserAndTheModel) {
    auto* tabs = widget<QTabWidget>("tabMain");
    QTabBar* bar = tabs->tabBar();
    QTest::mouseClick(bar, Qt::LeftButton, {}, bar->tabRect(1).center());
    EXPECT_EQ(form_.tabMain->tab(), 1);
    EXPECT_EQ(count("tabMain_Click 0"), 1);

    form_.tabMain->setTabEnabled(0, false);
    EXPECT_FALSE(tabs->isTabEnabled(0));
    form_.tabMain->setTabVisible(1, false);  // the model moves to a visible tab
    EXPECT_FALSE(tabs->isTabVisible(1));
    EXPECT_EQ(tabs->currentIndex(), form_.tabMain->tab());
}

TEST_F(FormRendererTest, ComboChoiceReachesTheModel) {
    form_.tabMain->setTab(1, Announcement::BeQuiet);
    auto* output = widget<QComboBox>("cboOutput");
    EXPECT_EQ(output->currentText(), QStringLiteral("Spreadsheet report"));
    QTest::keyClick(output, Qt::Key_Down);
    EXPECT_EQ(form_.cboOutput->listIndex(), 1);
    EXPECT_EQ(count("cboOutput_Click"), 1);

    form_.cboOutput->setListIndex(0, Announcement::BeQuiet);
    EXPECT_EQ(output->currentIndex(), 0);
}

TEST_F(FormRendererTest, DatePickerKeepsTheTimeOfDayWhenTheUserPicksADate) {
    form_.chkDates->setValue(forms::CheckBox::kChecked);
    auto* from = widget<QDateEdit>("dtpFrom");
    EXPECT_EQ(from->date(), QDate(2026, 3, 14));
    EXPECT_TRUE(from->calendarPopup());

    from->setDate(QDate(2025, 12, 1));  // as the calendar pop-up sets it
    EXPECT_EQ(form_.dtpFrom->value(), (DateTime{2025, 12, 1, 9, 30, 0}));
    EXPECT_EQ(count("dtpFrom_Change"), 1);

    form_.dtpFrom->setValue({2024, 2, 29, 0, 0, 0}, Announcement::BeQuiet);
    EXPECT_EQ(from->date(), QDate(2024, 2, 29));
}

TEST_F(FormRendererTest, EnterAndEscPressTheDefaultAndCancelButtons) {
    auto* amount = widget<QLineEdit>("txtAmount");
    EXPECT_TRUE(widget<QPushButton>("cmdOK")->isDefault());
    QTest::keyClick(amount, Qt::Key_Return);
    EXPECT_EQ(count("cmdOK_Click"), 1);
    QTest::keyClick(amount, Qt::Key_Escape);
    EXPECT_EQ(count("cmdCancel_Click"), 1);
    EXPECT_TRUE(form_.visible());  // only the form decides to close

    form_.cmdOK->setEnabled(false);
    QTest::keyClick(amount, Qt::Key_Return);
    EXPECT_EQ(count("cmdOK_Click"), 1);
}

TEST_F(FormRendererTest, MenuBarEntriesFollowTheModel) {
    QMenuBar* bar = renderer_.window().findChild<QMenuBar*>();
    ASSERT_NE(bar, nullptr);
    ASSERT_FALSE(bar->actions().isEmpty());
    QMenu* fileMenu = bar->actions().front()->menu();
    ASSERT_NE(fileMenu, nullptr);
    EXPECT_EQ(fileMenu->title(), QStringLiteral("&File"));
    QAction* remove = fileMenu->actions().value(2);
    ASSERT_NE(remove, nullptr);
    EXPECT_EQ(remove->objectName(), QStringLiteral("mnuFileDelete"));
    EXPECT_FALSE(remove->isEnabled());
    form_.mnuFileDelete->setEnabled(true);
    EXPECT_TRUE(remove->isEnabled());

    fileMenu->actions().front()->trigger();
    EXPECT_EQ(count("mnuFileNew_Click"), 1);
    EXPECT_TRUE(fileMenu->actions()[1]->isSeparator());
    // The popup menu is hidden from the bar.
    for (QAction* a : bar->actions()) {
        EXPECT_FALSE(a->isVisible() && a->text() == QStringLiteral("Products"));
    }
}

TEST_F(FormRendererTest, AnEntryGainingItsFirstChildAtRunTimeOpensAMenuWhereItStood) {
    QMenuBar* bar = renderer_.window().findChild<QMenuBar*>();
    ASSERT_NE(bar, nullptr);
    auto& help = form_.add<forms::MenuEntry>("mnuHelp");
    help.setCaption("&Help");
    ASSERT_EQ(bar->actions().back()->text(), QStringLiteral("&Help"));
    EXPECT_EQ(bar->actions().back()->menu(), nullptr);
    const auto before = bar->actions().size();

    auto& about = form_.add<forms::MenuEntry>("mnuHelpAbout", -1, &help);
    about.setCaption("&About");
    about.onClick = [this] { form_.log.push_back("mnuHelpAbout_Click"); };
    ASSERT_EQ(bar->actions().size(), before);
    QMenu* menu = bar->actions().back()->menu();
    ASSERT_NE(menu, nullptr);
    EXPECT_EQ(menu->title(), QStringLiteral("&Help"));
    ASSERT_EQ(menu->actions().size(), 1);
    menu->actions().front()->trigger();
    EXPECT_EQ(count("mnuHelpAbout_Click"), 1);
}

TEST_F(FormRendererTest, RightClickPopsUpTheFormsMenuAndRunsTheChosenEntry) {
    auto* products = widget<QListWidget>("lstProducts");
    QStringList shown;
    test::whenModal([&shown](QWidget& popup) {
        auto* menu = qobject_cast<QMenu*>(&popup);
        ASSERT_NE(menu, nullptr);
        for (QAction* a : menu->actions()) {
            shown << a->text();
            if (a->objectName() == QStringLiteral("mnuPopupAll")) {
                menu->setActiveAction(a);
            }
        }
        QTest::keyClick(menu, Qt::Key_Return);
    });
    const QRect rect = products->visualItemRect(products->item(0));
    QTest::mousePress(products->viewport(), Qt::RightButton, {}, rect.center());
    QTest::mouseRelease(products->viewport(), Qt::RightButton, {}, rect.center());
    EXPECT_EQ(shown,
              (QStringList{QStringLiteral("&Clear selection"), QStringLiteral("Select &all")}));
    EXPECT_EQ(form_.lstProducts->selCount(), 4);
    for (int i = 0; i < 4; ++i) {
        EXPECT_TRUE(products->item(i)->isSelected()) << i;
    }
}

TEST_F(FormRendererTest, LabelsHandTheirAccessKeyToTheNextControl) {
    auto* label = widget<QLabel>("lblAmount");
    EXPECT_EQ(label->buddy(), widget<QLineEdit>("txtAmount"));
    EXPECT_EQ(label->text(), QStringLiteral("&Amount at least:"));
    EXPECT_EQ(widget<QRadioButton>("optStatus3")->text(), QStringLiteral("&No open sale"));
}

TEST_F(FormRendererTest, TabKeyFollowsTheOrderTheFormCreatedItsControls) {
    auto* amount = widget<QLineEdit>("txtAmount");
    amount->setFocus();
    QApplication::processEvents();
    ASSERT_EQ(form_.activeControl(), form_.txtAmount);
    QTest::keyClick(amount, Qt::Key_Tab);
    EXPECT_EQ(QApplication::focusWidget(), widget<QLineEdit>("txtCode"));
    EXPECT_EQ(form_.activeControl(), form_.txtCode);

    form_.lstField->setFocus();  // from code
    EXPECT_EQ(QApplication::focusWidget(), widget<QListWidget>("lstField"));
}

TEST_F(FormRendererTest, ControlsSitWhereTheirHintsPutThem) {
    const QWidget* label = widget<QLabel>("lblAmount");
    const QWidget* amount = widget<QLineEdit>("txtAmount");
    EXPECT_LT(label->geometry().right(), amount->geometry().left());
    EXPECT_LT(std::abs(label->geometry().center().y() - amount->geometry().center().y()), 4);
    EXPECT_LT(widget<QPushButton>("cmdOK")->geometry().right(),
              widget<QPushButton>("cmdCancel")->geometry().left());
    EXPECT_EQ(widget<QRadioButton>("optStatus0")->parentWidget(), widget<QGroupBox>("fraStatus"));
    // Nothing clipped: every caption gets at least the room it asks for.
    for (QWidget* w : renderer_.window().findChildren<QWidget*>()) {
        if (qobject_cast<QLabel*>(w) || qobject_cast<QAbstractButton*>(w)) {
            if (w->isVisible()) {
                EXPECT_GE(w->width(), w->minimumSizeHint().width()) << qPrintable(w->objectName());
            }
        }
    }
}

TEST_F(FormRendererTest, ListViewShowsRowsOnceTheFormHasFilledThem) {
    for (int i = 0; i < 300; ++i) {
        const int row = form_.lvwResults->addRow("Company " + std::to_string(i));
        form_.lvwResults->setCell(row, 1, std::to_string(i * 10));
    }
    QApplication::processEvents();
    auto* view = widget<QTreeView>("lvwResults");
    ASSERT_EQ(view->model()->rowCount(), 300);
    EXPECT_EQ(view->model()->columnCount(), 2);
    EXPECT_EQ(view->model()->headerData(1, Qt::Horizontal).toString(), QStringLiteral("Amount"));
    EXPECT_EQ(view->model()->index(299, 1).data().toString(), QStringLiteral("2990"));

    form_.lvwResults->setSortKey(1);
    form_.lvwResults->setSortOrder(forms::SortOrder::Descending);
    form_.lvwResults->setSorted(true);
    QApplication::processEvents();
    EXPECT_EQ(view->model()->index(0, 0).data().toString(), QStringLiteral("Company 99"));
}

TEST_F(FormRendererTest, ListViewSelectionGoesBothWaysAndTheUsersPickRaisesItemClick) {
    for (const char* company : {"Zephyr", "Acme", "Birch"}) {
        form_.lvwResults->addRow(company);
    }
    std::vector<int> clicked;
    form_.lvwResults->onItemClick = [&clicked](int row) { clicked.push_back(row); };
    form_.tabMain->setTab(1);
    QApplication::processEvents();
    auto* view = widget<QTreeView>("lvwResults");
    form_.lvwResults->setSelectedRow(1);
    ASSERT_EQ(view->selectionModel()->selectedRows().size(), 1);
    EXPECT_EQ(view->selectionModel()->selectedRows().front().row(), 1);
    EXPECT_TRUE(clicked.empty());

    const QRect row = view->visualRect(view->model()->index(2, 0));
    QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, row.center());
    EXPECT_EQ(form_.lvwResults->selectedRow(), 2);
    EXPECT_EQ(clicked, std::vector<int>{2});

    form_.lvwResults->setSorted(true);  // Acme, Birch, Zephyr: the selection goes with Birch
    QApplication::processEvents();
    EXPECT_EQ(view->selectionModel()->selectedRows().front().row(), 1);
}

TEST_F(FormRendererTest, ListViewHeaderClickRaisesColumnClickAndShowsTheListsSort) {
    for (const char* company : {"Zephyr", "Acme", "Birch"}) {
        form_.lvwResults->addRow(company);
    }
    std::vector<int> clicked;
    form_.lvwResults->onColumnClick = [this, &clicked](int column) {
        clicked.push_back(column);
        form_.lvwResults->setSortKey(column);
        form_.lvwResults->setSorted(true);
    };
    form_.tabMain->setTab(1);
    QApplication::processEvents();
    auto* view = widget<QTreeView>("lvwResults");
    QHeaderView* header = view->header();
    EXPECT_FALSE(header->isSortIndicatorShown());
    QTest::mouseClick(header->viewport(), Qt::LeftButton, {},
                      QPoint(header->sectionViewportPosition(0) + header->sectionSize(0) / 2,
                             header->height() / 2));
    QApplication::processEvents();
    EXPECT_EQ(clicked, std::vector<int>{0});
    EXPECT_EQ(view->model()->index(0, 0).data().toString(), QStringLiteral("Acme"));
    EXPECT_TRUE(header->isSortIndicatorShown());
    EXPECT_EQ(header->sortIndicatorSection(), 0);
    EXPECT_EQ(header->sortIndicatorOrder(), Qt::AscendingOrder);
    form_.lvwResults->setSortOrder(forms::SortOrder::Descending);
    QApplication::processEvents();
    EXPECT_EQ(header->sortIndicatorOrder(), Qt::DescendingOrder);
    EXPECT_EQ(view->model()->index(0, 0).data().toString(), QStringLiteral("Zephyr"));
}

TEST_F(FormRendererTest, ListFilledEntryByEntryShowsEveryEntryAndTheCurrentOne) {
    form_.lstField->clear();
    for (int i = 0; i < 500; ++i) {
        form_.lstField->addItem("Field " + std::to_string(i));
    }
    form_.lstField->setListIndex(250, Announcement::BeQuiet);
    QApplication::processEvents();
    auto* fields = widget<QListWidget>("lstField");
    ASSERT_EQ(fields->count(), 500);
    EXPECT_EQ(fields->currentRow(), 250);
    EXPECT_EQ(fields->selectedItems().size(), 1);
}

TEST_F(FormRendererTest, TimerTicksWhileItRunsAndStopsWhenDisabled) {
    form_.tmrTick->setInterval(5);
    QTest::qWait(60);
    const int ticks = count("tmrTick_Timer");
    EXPECT_GT(ticks, 0);
    form_.tmrTick->setEnabled(false);
    QTest::qWait(40);
    EXPECT_EQ(count("tmrTick_Timer"), ticks);
}

TEST_F(FormRendererTest, ControlsLoadedAtRunTimeAppear) {
    auto& extra = form_.add<forms::CheckBox>("chkSales", 5, form_.fraScope);
    extra.setCaption("Added later");
    auto* box = widget<QCheckBox>("chkSales5");
    ASSERT_NE(box, nullptr);
    EXPECT_EQ(box->parentWidget(), widget<QGroupBox>("fraScope"));
    EXPECT_EQ(box->text(), QStringLiteral("Added later"));
}

}  // namespace
}  // namespace bp::gui
