#include "edit/EditCommands.h"

#include "window/frmMain.h"

void EditCommands::sbAdd() {}
void EditCommands::sbEdit() {}
void EditCommands::sbSave() {}
void EditCommands::sbDelete() {}
