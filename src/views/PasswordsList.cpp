#include "views/PasswordsList.h"

#include "window/frmMain.h"

PasswordsList::PasswordsList(frmMain& form) : QObject(nullptr), f(form) {}

void PasswordsList::Fill() {}
void PasswordsList::EntryClick() {}
void PasswordsList::HeaderClick(int) {}
void PasswordsList::GotFocus() {}
void PasswordsList::LostFocus() {}
void PasswordsList::applySort() {}
bool PasswordsList::eventFilter(QObject*, QEvent*)
{
    return false;
}
