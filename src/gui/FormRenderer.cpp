#include "gui/FormRenderer.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QMenuBar>
#include <QPushButton>

#include <algorithm>
#include <set>

#include "forms/Controls.h"
#include "gui/ButtonBinding.h"
#include "gui/CheckBoxBinding.h"
#include "gui/ComboBinding.h"
#include "gui/DateBinding.h"
#include "gui/FrameBinding.h"
#include "gui/LabelBinding.h"
#include "gui/ListBoxBinding.h"
#include "gui/ListViewBinding.h"
#include "gui/MenuBinding.h"
#include "gui/OptionBinding.h"
#include "gui/ProgressBarBinding.h"
#include "gui/QtText.h"
#include "gui/TabBinding.h"
#include "gui/TextBoxBinding.h"
#include "gui/TimerBinding.h"

namespace bp::gui {
namespace {

// Narrow captions ("OK") still get a button a mouse finds easily.
constexpr int kMinimumButtonWidth = 80;

}  // namespace

FormRenderer::FormRenderer(forms::Form& form, QWidget* parent)
    : form_(form), window_(std::make_unique<FormWindow>(form, parent)) {
    window_->setWindowTitle(toQt(form.caption()));
    renderNewControls();
    subscription_ =
        form_.subscribe([this](forms::Form&, forms::FormProperty p) { onFormChange(p); });
}

FormRenderer::~FormRenderer() {
    form_.unsubscribe(subscription_);
    // Bindings first: they still talk to their controls and widgets while they go.
    bindings_.clear();
    window_.reset();
}

ControlBinding* FormRenderer::bindingFor(const forms::Control& control) const {
    auto it = byControl_.find(&control);
    return it == byControl_.end() ? nullptr : it->second;
}

QWidget* FormRenderer::widgetFor(const forms::Control& control) const {
    ControlBinding* binding = bindingFor(control);
    return binding != nullptr ? binding->widget() : nullptr;
}

std::vector<TabBinding*> FormRenderer::tabBindings() const {
    std::vector<TabBinding*> result;
    for (const auto& binding : bindings_) {
        if (auto* tabs = qobject_cast<TabBinding*>(binding.get())) {
            result.push_back(tabs);
        }
    }
    return result;
}

void FormRenderer::flush() {
    for (const auto& binding : bindings_) {
        binding->flush();
    }
}

void FormRenderer::renderNewControls() {
    bool added = false;
    for (forms::Control* control : form_.controls()) {
        if (byControl_.contains(control)) {
            continue;
        }
        auto binding = makeBinding(*control);
        binding->syncAll();
        byControl_[control] = binding.get();
        if (control->kind() == forms::ControlKind::Menu) {
            placeMenu(*binding);
        } else if (binding->widget() != nullptr) {
            place(*binding);
        }
        bindings_.push_back(std::move(binding));
        added = true;
    }
    if (added) {
        finishLayout();
    }
}

std::unique_ptr<ControlBinding> FormRenderer::makeBinding(forms::Control& c) {
    using K = forms::ControlKind;
    QWidget* parent = containerWidget(c);
    switch (c.kind()) {
        case K::Label:
            return std::make_unique<LabelBinding>(static_cast<forms::Label&>(c), parent);
        case K::Frame:
            return std::make_unique<FrameBinding>(static_cast<forms::Frame&>(c), parent);
        case K::CommandButton:
            return std::make_unique<ButtonBinding>(static_cast<forms::CommandButton&>(c), parent);
        case K::CheckBox:
            return std::make_unique<CheckBoxBinding>(static_cast<forms::CheckBox&>(c), parent);
        case K::OptionButton:
            return std::make_unique<OptionBinding>(static_cast<forms::OptionButton&>(c), parent);
        case K::TextBox:
            return std::make_unique<TextBoxBinding>(static_cast<forms::TextBox&>(c), parent);
        case K::ListBox:
            return std::make_unique<ListBoxBinding>(static_cast<forms::ListBox&>(c), parent);
        case K::ComboBox:
            return std::make_unique<ComboBinding>(static_cast<forms::ComboBox&>(c), parent);
        case K::TabControl:
            return std::make_unique<TabBinding>(static_cast<forms::TabControl&>(c), parent);
        case K::DatePicker:
            return std::make_unique<DateBinding>(static_cast<forms::DatePicker&>(c), parent);
        case K::ListView:
            return std::make_unique<ListViewBinding>(static_cast<forms::ListView&>(c), parent);
        case K::Menu:
            return std::make_unique<MenuBinding>(static_cast<forms::MenuEntry&>(c));
        case K::Timer:
            return std::make_unique<TimerBinding>(static_cast<forms::Timer&>(c));
        case K::ProgressBar:
            return std::make_unique<ProgressBarBinding>(static_cast<forms::ProgressBar&>(c),
                                                        parent);
    }
    throw std::logic_error("No widget for control " + c.name());
}

QWidget* FormRenderer::containerWidget(const forms::Control& control) const {
    const forms::Control* container = control.container();
    if (container == nullptr || container->kind() == forms::ControlKind::Menu) {
        return window_->body();
    }
    // Containers come before their controls in creation order, so they are rendered already.
    return bindingFor(*container)->contentWidget(control.tabPage());
}

void FormRenderer::place(ControlBinding& binding) {
    const forms::Control& control = binding.control();
    auto* grid = qobject_cast<QGridLayout*>(containerWidget(control)->layout());
    const forms::LayoutHint& hint = control.layout();
    int& next = nextRow_[grid];
    const int row = hint.row >= 0 ? hint.row : next;
    const int column = std::max(0, hint.column);
    grid->addWidget(binding.widget(), row, column, hint.rowSpan, hint.columnSpan);
    next = std::max(next, row + hint.rowSpan);
}

void FormRenderer::placeMenu(ControlBinding& binding) {
    auto& menu = static_cast<MenuBinding&>(binding);
    const auto& entry = static_cast<const forms::MenuEntry&>(binding.control());
    if (forms::MenuEntry* parent = entry.parentMenu()) {
        if (auto* parentBinding = static_cast<MenuBinding*>(bindingFor(*parent))) {
            parentBinding->ensureMenu().addAction(menu.action());
        }
        return;
    }
    window_->menuBar()->addAction(menu.action());
}

void FormRenderer::gatherButtonRows() {
    auto* grid = qobject_cast<QGridLayout*>(window_->body()->layout());
    std::map<int, std::vector<std::pair<int, QPushButton*>>> buttonsByRow;
    std::set<int> mixedRows;
    for (int i = 0; i < grid->count(); ++i) {
        int row = 0;
        int column = 0;
        int rowSpan = 0;
        int columnSpan = 0;
        grid->getItemPosition(i, &row, &column, &rowSpan, &columnSpan);
        auto* button = qobject_cast<QPushButton*>(grid->itemAt(i)->widget());
        if (button != nullptr && rowSpan == 1) {
            buttonsByRow[row].emplace_back(column, button);
        } else {
            for (int r = row; r < row + rowSpan; ++r) {
                mixedRows.insert(r);
            }
        }
    }
    const int columns = std::max(1, grid->columnCount());
    for (auto& [row, buttons] : buttonsByRow) {
        if (mixedRows.contains(row)) {
            continue;
        }
        std::sort(buttons.begin(), buttons.end(),
                  [](const auto& a, const auto& b) { return a.first < b.first; });
        auto* box = new QHBoxLayout;
        box->setObjectName(QStringLiteral("buttonRow"));
        box->addStretch(1);
        // One width for the whole row, wide enough for the longest caption.
        int width = kMinimumButtonWidth;
        for (const auto& [column, button] : buttons) {
            width = std::max(width, button->sizeHint().width());
        }
        for (const auto& [column, button] : buttons) {
            grid->removeWidget(button);
            button->setMinimumWidth(width);
            button->setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
            box->addWidget(button);
        }
        grid->addLayout(box, row, 0, 1, columns);
    }
}

void FormRenderer::finishLayout() {
    // A row of the window holding nothing but command buttons is the dialog's button row:
    // compact buttons of one width at the right, as business tools place OK and Cancel,
    // however wide the controls above make the window.
    gatherButtonRows();
    // Controls keep their natural height and stay at the top left of their container unless
    // one of them can use the room (a list, a tab control).
    for (auto& [grid, rows] : nextRow_) {
        bool growsDown = false;
        bool growsRight = false;
        for (int i = 0; i < grid->count(); ++i) {
            if (QWidget* w = grid->itemAt(i)->widget()) {
                growsDown =
                    growsDown || (w->sizePolicy().verticalPolicy() & QSizePolicy::ExpandFlag);
                growsRight =
                    growsRight || (w->sizePolicy().horizontalPolicy() & QSizePolicy::ExpandFlag);
            }
        }
        stretchSpannedRows(*grid);
        grid->setRowStretch(rows, growsDown ? 0 : 1);
        grid->setColumnStretch(grid->columnCount(), growsRight ? 0 : 1);
    }
    assignBuddies();
    chainTabOrder();
    if (forms::CommandButton* button = form_.defaultButton()) {
        if (auto* push = qobject_cast<QPushButton*>(widgetFor(*button))) {
            push->setDefault(true);
        }
    }
}

void FormRenderer::stretchSpannedRows(QGridLayout& grid) {
    // A list spanning rows beside a column of buttons can grow only through a row that holds
    // nothing of its own; the grid would otherwise hand the room to the rows of labels above.
    struct Place {
        int row = 0, column = 0, rowSpan = 0, columnSpan = 0;
    };
    std::vector<Place> places(static_cast<std::size_t>(grid.count()));
    std::set<int> singleRows;
    for (int i = 0; i < grid.count(); ++i) {
        Place& p = places[static_cast<std::size_t>(i)];
        grid.getItemPosition(i, &p.row, &p.column, &p.rowSpan, &p.columnSpan);
        if (p.rowSpan == 1) {
            singleRows.insert(p.row);
        }
    }
    for (int i = 0; i < grid.count(); ++i) {
        const Place& p = places[static_cast<std::size_t>(i)];
        QWidget* w = grid.itemAt(i)->widget();
        const int last = p.row + p.rowSpan - 1;
        if (w != nullptr && p.rowSpan > 1 && !singleRows.contains(last) &&
            (w->sizePolicy().verticalPolicy() & QSizePolicy::ExpandFlag)) {
            grid.setRowStretch(last, 1);
        }
    }
}

void FormRenderer::assignBuddies() {
    const auto& controls = form_.controls();
    for (std::size_t i = 0; i < controls.size(); ++i) {
        if (controls[i]->kind() != forms::ControlKind::Label) {
            continue;
        }
        auto* label = static_cast<LabelBinding*>(bindingFor(*controls[i]));
        for (std::size_t j = i + 1; j < controls.size(); ++j) {
            const forms::Control* next = controls[j];
            ControlBinding* nextBinding = bindingFor(*next);
            if (next->container() == controls[i]->container() &&
                next->tabPage() == controls[i]->tabPage() && nextBinding != nullptr &&
                nextBinding->takesFocus()) {
                label->setBuddy(nextBinding->widget());
                break;
            }
        }
    }
}

void FormRenderer::chainTabOrder() {
    QWidget* previous = nullptr;
    for (forms::Control* control : form_.controls()) {
        ControlBinding* binding = bindingFor(*control);
        if (binding == nullptr || !binding->takesFocus()) {
            continue;
        }
        if (previous != nullptr) {
            QWidget::setTabOrder(previous, binding->widget());
        }
        previous = binding->widget();
    }
}

void FormRenderer::onFormChange(forms::FormProperty property) {
    switch (property) {
        case forms::FormProperty::Caption:
            window_->setWindowTitle(toQt(form_.caption()));
            break;
        case forms::FormProperty::Visible:
            flush();
            window_->setVisible(form_.visible());
            break;
        case forms::FormProperty::Loaded:
            for (const auto& binding : bindings_) {
                if (qobject_cast<TimerBinding*>(binding.get()) != nullptr) {
                    binding->syncAll();
                }
            }
            break;
        case forms::FormProperty::Controls:
            renderNewControls();
            break;
        case forms::FormProperty::ActiveControl:
            break;
    }
}

}  // namespace bp::gui
