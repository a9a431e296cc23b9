#include "edit/SiteMover.h"

#include "window/frmMain.h"

#include <QAction>

bool SiteMover::movingMode() const { return f.Buttons[9]->isChecked(); }
void SiteMover::ButtonClicked() {}
