#pragma once
// brindlepath --run [SELECTION.ini] --count: the numbers the live match count shows for the
// loaded main window's choices, as "CONTACTS OPPORTUNITIES" on one line of `out`, with
// nothing written and nothing changed. Choices a run would refuse give the run's message
// through the window's UI service.

#include <ostream>

#include "app/FrmMain.h"

namespace bp::app {

// 0 when counted, 1 when the choices or the host stopped the count.
int countBatch(FrmMain& frmMain, std::ostream& out);

}  // namespace bp::app
