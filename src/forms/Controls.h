#pragma once
// Every control of the form model, for forms that use most of them.

#include "forms/CheckBox.h"
#include "forms/ComboBox.h"
#include "forms/CommandButton.h"
#include "forms/ControlArray.h"
#include "forms/DatePicker.h"
#include "forms/Form.h"
#include "forms/Frame.h"
#include "forms/Label.h"
#include "forms/ListBox.h"
#include "forms/ListView.h"
#include "forms/MenuEntry.h"
#include "forms/OptionButton.h"
#include "forms/TabControl.h"
#include "forms/TextBox.h"
#include "forms/Timer.h"
#include "forms/UiService.h"
