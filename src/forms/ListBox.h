#pragma once
// A list box. In a single-selection list the current entry is the selected one; in a
// multi-selection list ListIndex is the entry with the caret and Selected(i) is separate.
// Changing an entry's Selected raises Click; the bulk deselectAll() raises nothing, as the list
// window's own "clear every selection" message does.

#include <vector>

#include "forms/ListControl.h"

namespace bp::forms {

enum class MultiSelect { None, Simple, Extended };

class ListBox : public ListControl {
public:
    explicit ListBox(const ControlInit& init) : ListControl(init, ControlKind::ListBox) {}

    MultiSelect multiSelect() const { return multiSelect_; }
    void setMultiSelect(MultiSelect mode);

    bool selected(int position) const;
    // Raises Click when the entry's selection changes.
    void setSelected(int position, bool selected, Announcement announce = Announcement::DoEmit);
    int selCount() const;
    // Positions of the selected entries in ascending order.
    std::vector<int> selectedIndices() const;
    void deselectAll();

    // A user's click on entry `position`: a single-selection list makes it current, a Simple
    // list toggles it, an Extended list selects it alone (or toggles it with `toggle`, as
    // Ctrl+click does). Raises one Click. False when the list is unusable.
    bool click(int position, bool toggle = false);
    // A double click on an entry: the first click selects, then DblClick runs.
    bool doubleClick(int position);
    using Control::doubleClick;

protected:
    void applyListIndex(int position) override;

private:
    void selectOnly(int position);

    MultiSelect multiSelect_ = MultiSelect::None;
};

}  // namespace bp::forms
