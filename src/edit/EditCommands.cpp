#include "edit/EditCommands.h"

#include "edit/EditPanel.h"
#include "edit/RecordDeleter.h"
#include "edit/RecordSaver.h"
#include "edit/SiteMover.h"
#include "platform/Prompter.h"
#include "views/CategoryTree.h"
#include "views/ViewItems.h"
#include "window/UnlockKey.h"
#include "window/frmMain.h"

#include <QLabel>
#include <QTreeWidget>

bool EditCommands::refusedWhileMoving()
{
    if (!f.mover->movingMode())
        return false;
    f.prompter.warn(QStringLiteral("You can not do this while you moving sites"), frmMain::appTitle());
    return true;
}

bool EditCommands::rootSelected() const
{
    return f.tree->currentIsRoot();
}

bool EditCommands::selectedSiteIsCurrent() const
{
    // A list with no selected row shows no site's entries.
    const QTreeWidgetItem* row = items::selectedRow(f.lvURLs);
    return row && items::tag(row) == f.lblSiteCode->text();
}

void EditCommands::warn(const char* text)
{
    f.prompter.warn(QLatin1String(text), frmMain::caption());
}

void EditCommands::focusTree()
{
    f.tvCategories->setFocus();
}

void EditCommands::sbAdd()
{
    if (refusedWhileMoving())
        return;
    if (f.CurWhat == u"Categories") {
        f.panel->NewWhat(f.CurWhat);
    } else if (f.CurWhat == u"Sites") {
        if (rootSelected()) {
            warn("You can not add sites here.");
            focusTree();
        } else {
            f.panel->NewWhat(f.CurWhat);
        }
    } else if (f.CurWhat == u"Passwords") {
        if (!f.unlockKey->guard(frmMain::caption()))
            return;
        if (rootSelected())
            f.panel->NewWhat(QStringLiteral("Categories"));
        else if (f.lvURLs->topLevelItemCount() == 0 || !selectedSiteIsCurrent())
            f.panel->NewWhat(QStringLiteral("Sites"));
        else
            f.panel->NewWhat(f.CurWhat);
    }
}

void EditCommands::sbEdit()
{
    if (refusedWhileMoving())
        return;
    if (f.CurWhat == u"Categories") {
        if (rootSelected())
            warn("You can not edit this item.");
        else
            f.panel->EditWhat(f.CurWhat);
    } else if (f.CurWhat == u"Sites") {
        if (rootSelected()) {
            warn("Select category first.");
            focusTree();
        } else if (f.lvURLs->topLevelItemCount() > 0) {
            f.panel->EditWhat(f.CurWhat);
        } else {
            f.panel->NewWhat(QStringLiteral("Sites"));
        }
    } else if (f.CurWhat == u"Passwords") {
        if (!f.unlockKey->guard(frmMain::caption()))
            return;
        if (rootSelected()) {
            warn("Select category first.");
            focusTree();
        } else if (f.lvURLs->topLevelItemCount() == 0 || !selectedSiteIsCurrent()) {
            f.panel->NewWhat(QStringLiteral("Sites"));
        } else if (f.lvPasswords->topLevelItemCount() == 0) {
            f.panel->NewWhat(f.CurWhat);
        } else {
            f.panel->EditWhat(f.CurWhat);
        }
    }
}

void EditCommands::sbSave()
{
    if (refusedWhileMoving())
        return;
    if (f.CurWhat == u"Passwords" && !f.unlockKey->guard(frmMain::caption()))
        return;
    f.saver->SaveWhat(f.CurWhat);
}

void EditCommands::sbDelete()
{
    if (refusedWhileMoving())
        return;
    // The guard and every other check of deleting are DeleteWhat's own.
    f.deleter->DeleteWhat(f.CurWhat);
}
