#include "edit/ToolbarCommands.h"

#include "window/frmMain.h"

ToolbarCommands::ToolbarCommands(frmMain& form) : QObject(nullptr), f(form) {}

void ToolbarCommands::ButtonClick(int) {}
