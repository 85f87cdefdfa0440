#pragma once
// The list and text-box routines every window shares: filling the user lists, the condition
// combos and the criteria lists from the host's open database, and the small helpers that
// read, clear or enable lists and frames and shape text boxes.
//
// Counts and positions are plain ints: a host list of more than 32,767 entries is listed
// whole instead of being cut off or overflowing.

#include <string>
#include <vector>

#include "act/Tables.h"
#include "forms/ComboBox.h"
#include "forms/Form.h"
#include "forms/Frame.h"
#include "forms/ListBox.h"
#include "forms/ListControl.h"
#include "forms/TextBox.h"

namespace bp::criteria {

// Written by GetSelectedItems, read by its callers (the filter pipeline, the list settings).
inline std::vector<int> gSelectedItems;
// True while Deselect clears a list, so list handlers can ignore the clicks it raises.
inline bool bDeselecting = false;

// The condition fields of both condition combos, in their order (ConditionField).
inline constexpr const char* kConditionFields[] = {
    "Products",      "Types", "Competitors", "Sales Stages", "Forecasted Close Dates",
    "Probabilities", "Units", "Amounts",     "Edit Date"};
inline constexpr int kConditionFieldCount = 9;

// Drop-down list kinds of the host's list table.
enum class ListKind : int { Products = 1, Types = 2, Competitors = 3 };

enum class DeselectScope { UpTo, All };
enum class TextCaseMode : int { Mixed = 0, Upper = 1, Lower = 2 };

// The host's field number of the sales stage, whose drop-down lists the stages.
inline constexpr int kSalesStageField = 39;
// The list table's field holding an entry's text.
inline constexpr int kListEntryField = 26;

// Appends every host user; an entry's ItemData is the user's 1-based position.
void Load_Users(forms::ListBox& list, act::Users& users);
void Load_Conditions(forms::ComboBox& combo);
// Refills the list with one drop-down list of the list table, then "<<Empty>>".
void Create_Prod_Or_Type_List(ListKind kind, forms::ListBox& list, act::ListTable& listTable);
// Refills the list with "<<Empty>>", then the sales stages.
void Create_Stages_List(forms::ListBox& list, act::RecordTable& sales);

// Fills gSelectedItems with the selected positions in ascending order. A multi-select list
// without selection leaves gSelectedItems as it was; a single-select list yields one entry
// (0 when nothing is selected).
const std::vector<int>& GetSelectedItems(const forms::ListBox& list);
// Clears selections: every entry (All) or the entries 0 to `last` (UpTo).
void Deselect(forms::ListBox& list, DeselectScope scope, int last = -1);
void Empty_List(forms::ListControl& list);
// Enables or disables the controls directly inside `frame` (and, with useIndex, only inside
// the member `index` of a framed control array).
void Enable_Controls(forms::Form& form, bool enable, const forms::Frame& frame, bool useIndex,
                     int index);
void ForceTextBoxNumeric(forms::TextBox& box, bool on);
// Modes other than 0, 1 and 2 change nothing.
void ForceTextBoxCase(forms::TextBox& box, int mode);
void GiveFocus(forms::TextBox& box);

}  // namespace bp::criteria
