#include "edit/EditPanel.h"

#include "window/frmMain.h"

#include <QFrame>

EditPanel::EditPanel(frmMain& form) : QObject(nullptr), f(form) {}

void EditPanel::FocusControl(QString&) {}
void EditPanel::NewWhat(QString&) {}
void EditPanel::EditWhat(QString&) {}
void EditPanel::hide() { f.SSPanel1->setVisible(false); }
bool EditPanel::eventFilter(QObject*, QEvent*) { return false; }
