#include "window/CheckTool.h"

#include "window/frmMain.h"

CheckTool::CheckTool(frmMain& form) : QObject(nullptr), f(form) {}

void CheckTool::Check() {}
bool CheckTool::eventFilter(QObject*, QEvent*) { return false; }
