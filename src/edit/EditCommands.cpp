#include "edit/EditCommands.h"

#include "edit/EditPanel.h"
#include "edit/RecordDeleter.h"
#include "edit/RecordSaver.h"
#include "edit/SiteMover.h"
#include "platform/Prompter.h"
#include "views/CategoryTree.h"
#include "views/Form.h"
#include "views/PasswordsList.h"
#include "views/SitesList.h"
#include "views/UnlockKey.h"
#include "views/ViewItems.h"

#include <QLabel>
#include <QTreeView>

bool EditCommands::refusedWhileMoving()
{
    if (!f.state.movingMode)
        return false;
    f.prompter.warn(QStringLiteral("You can not do this while you moving sites"), Form::appTitle());
    return true;
}

bool EditCommands::rootSelected() const
{
    return f.tree->currentIsRoot();
}

bool EditCommands::selectedSiteIsCurrent() const
{
    // A list with no selected row shows no site's entries.
    const SiteRow* row = f.sites->selectedSite();
    return row && row->siteCode == f.state.registers().siteCode;
}

void EditCommands::warn(const char* text)
{
    f.prompter.warn(QLatin1String(text), Form::caption());
}

void EditCommands::focusTree()
{
    f.tvCategories->setFocus();
}

void EditCommands::sbAdd()
{
    if (refusedWhileMoving())
        return;
    if (f.state.CurWhat == What::Categories) {
        f.panel->NewWhat(f.state.CurWhat);
    } else if (f.state.CurWhat == What::Sites) {
        if (rootSelected()) {
            warn("You can not add sites here.");
            focusTree();
        } else {
            f.panel->NewWhat(f.state.CurWhat);
        }
    } else if (f.state.CurWhat == What::Passwords) {
        if (!f.unlockKey->guard(Form::caption()))
            return;
        if (rootSelected())
            f.panel->NewWhat(What::Categories);
        else if (f.sites->rowCount() == 0 || !selectedSiteIsCurrent())
            f.panel->NewWhat(What::Sites);
        else
            f.panel->NewWhat(f.state.CurWhat);
    }
}

void EditCommands::sbEdit()
{
    if (refusedWhileMoving())
        return;
    if (f.state.CurWhat == What::Categories) {
        if (rootSelected())
            warn("You can not edit this item.");
        else
            f.panel->EditWhat(f.state.CurWhat);
    } else if (f.state.CurWhat == What::Sites) {
        if (rootSelected()) {
            warn("Select category first.");
            focusTree();
        } else if (f.sites->rowCount() > 0) {
            f.panel->EditWhat(f.state.CurWhat);
        } else {
            f.panel->NewWhat(What::Sites);
        }
    } else if (f.state.CurWhat == What::Passwords) {
        if (!f.unlockKey->guard(Form::caption()))
            return;
        if (rootSelected()) {
            warn("Select category first.");
            focusTree();
        } else if (f.sites->rowCount() == 0 || !selectedSiteIsCurrent()) {
            f.panel->NewWhat(What::Sites);
        } else if (f.passwords->rowCount() == 0) {
            f.panel->NewWhat(f.state.CurWhat);
        } else {
            f.panel->EditWhat(f.state.CurWhat);
        }
    }
}

void EditCommands::sbSave()
{
    if (refusedWhileMoving())
        return;
    if (f.state.CurWhat == What::Passwords && !f.unlockKey->guard(Form::caption()))
        return;
    f.saver->SaveWhat(f.state.CurWhat);
}

void EditCommands::sbDelete()
{
    if (refusedWhileMoving())
        return;
    // The guard and every other check of deleting are DeleteWhat's own.
    f.deleter->DeleteWhat(f.state.CurWhat);
}
