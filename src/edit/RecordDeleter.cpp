#include "edit/RecordDeleter.h"

#include "edit/EditPanel.h"
#include "edit/Statements.h"
#include "models/CategoryModel.h"
#include "models/SitesModel.h"
#include "platform/Pictures.h"
#include "platform/Prompter.h"
#include "store/Codes.h"
#include "store/Connection.h"
#include "store/StoreError.h"
#include "store/TrimSpaces.h"
#include "views/CategoryTree.h"
#include "views/Form.h"
#include "views/PasswordsList.h"
#include "views/SitesList.h"
#include "views/UnlockKey.h"
#include "views/ViewItems.h"
#include "views/ViewLoader.h"

#include <QFrame>
#include <QJsonArray>
#include <QJsonDocument>
#include <QLabel>
#include <QSet>
#include <QTreeView>
#include <algorithm>

namespace {

const QString Title = QStringLiteral("Delete Confirmation");
const QString CRLF = QStringLiteral("\r\n");

namespace sql {
const QString AnyPassword = QStringLiteral("Select * from pws");
const QString AllPasswords = QStringLiteral("DELETE FROM pws");
const QString AnySite = QStringLiteral("Select * from URLs");
const QString AllSites = QStringLiteral("DELETE FROM URLs");
const QString AnyCategory = QStringLiteral("Select * from Categories");
const QString AllCategories = QStringLiteral("DELETE FROM categories");

const QString LeafPasswords = QStringLiteral("Select * from pws where catcode = ?");
const QString DeleteLeafPasswords = QStringLiteral("DELETE FROM pws where (catcode = ?)");
const QString LeafSites = QStringLiteral("Select * from URLs where catcode = ?");
const QString DeleteLeafSites = QStringLiteral("DELETE FROM URLs where (catcode =?)");
const QString LeafCategory = QStringLiteral("Select * from Categories where catcode = ?");
const QString DeleteLeafCategory = QStringLiteral("DELETE FROM categories where (catcode = ?)");

// Sites of one category, their codes given as a JSON array.
const QString StoredSites =
    QStringLiteral("SELECT SiteCode FROM URLs WHERE CatCode = ? AND SiteCode IN (SELECT value FROM json_each(?))");
const QString DeleteSitesPasswords =
    QStringLiteral("DELETE FROM PWs WHERE CatCode = ? AND SiteCode IN (SELECT value FROM json_each(?))");
const QString DeleteSites =
    QStringLiteral("DELETE FROM URLs WHERE CatCode = ? AND SiteCode IN (SELECT value FROM json_each(?))");

const QString Password = QStringLiteral("Select * from pws where catcode =? and SiteCode =? and ser =?");
const QString DeletePassword = QStringLiteral("DELETE FROM pws where (catcode =?) And (SiteCode =?) And (ser =?)");
} // namespace sql

QString bracketed(const QString& name)
{
    return QStringLiteral("[ ") + name + QStringLiteral(" ]");
}

} // namespace

void RecordDeleter::DeleteWhat(What what)
{
    if (f.panel->isOpen())
        return;
    if (what == What::Passwords && !f.unlockKey->guard(Form::appTitle()))
        return;
    if (what == What::Categories)
        deleteCategory();
    else if (what == What::Sites)
        deleteSites();
    else if (what == What::Passwords)
        deletePassword();
}

bool RecordDeleter::confirm(const QString& text)
{
    return f.prompter.confirm(text, Title, Prompt::Icon::Exclamation);
}

void RecordDeleter::tell(const QString& text, bool error)
{
    if (error)
        f.prompter.error(text, Title);
    else
        f.prompter.warn(text, Title);
}

void RecordDeleter::focusTree()
{
    // Giving the focus to a tree that has it already runs nothing; its focus rule must still run.
    if (f.tvCategories->hasFocus())
        f.tree->GotFocus();
    else
        f.tvCategories->setFocus(Qt::OtherFocusReason);
}

void RecordDeleter::commonEnd()
{
    f.sitesModel.setHeaderPicture(SitesModel::CheckColumn, img1616::NotAllChecked);
}

void RecordDeleter::deleteCategory()
{
    const QModelIndex node = f.tree->current();
    if (!node.isValid())
        return;
    if (!confirm(QStringLiteral("Do you want to delete this category") + CRLF + CRLF +
                 bracketed(f.categoryModel.name(node)) + CRLF + CRLF +
                 QStringLiteral("and all it's subcategories incloding sites and passwords ?")))
        return;
    if (f.categoryModel.isRoot(node))
        emptyStore();
    else
        deleteSubtree(f.categoryModel.code(node));
}

void RecordDeleter::emptyStore()
{
    try {
        Connection::Transaction work(f.db);
        if (f.db.exists(sql::AnyPassword))
            f.db.execute(sql::AllPasswords);
        if (f.db.exists(sql::AnySite))
            f.db.execute(sql::AllSites);
        if (f.db.exists(sql::AnyCategory))
            f.db.execute(sql::AllCategories);
        work.commit();
    } catch (const StoreError& error) {
        f.showStoreError(error.reason());
        return;
    }
    f.views->Load(What::Categories);
    f.tree->select(f.categoryModel.root());
    focusTree();
    commonEnd();
}

void RecordDeleter::deleteSubtree(qint32 code)
{
    // Taken now, so nothing done meanwhile can redirect the deletion.
    const QList<qint32> doomed = f.categoryModel.leavesFirst(code);
    const qint32 stop = f.categoryModel.code(f.categoryModel.indexOf(code).parent());

    try {
        Connection::Transaction work(f.db);
        for (const qint64 C : doomed) {
            if (f.db.exists(sql::LeafPasswords, {C}))
                f.db.execute(sql::DeleteLeafPasswords, {C});
            if (f.db.exists(sql::LeafSites, {C}))
                f.db.execute(sql::DeleteLeafSites, {C});
            if (f.db.exists(sql::LeafCategory, {C}))
                f.db.execute(sql::DeleteLeafCategory, {C});
        }
        work.commit();
    } catch (const StoreError& error) {
        // Nothing was written and the tree is untouched: it still shows the store as it is.
        f.showStoreError(error.reason());
        return;
    }

    f.tree->select(f.categoryModel.indexOf(stop));
    f.categoryModel.removeSubtree(code);
    f.tree->NodeClick(f.categoryModel.indexOf(stop));
    f.tvCategories->setFocus(Qt::OtherFocusReason);
    commonEnd();
}

void RecordDeleter::deleteSites()
{
    SitesList& sites = *f.sites;
    if (sites.rowCount() == 0)
        return;
    const int selected = sites.selectedRow();
    if (selected < 0 || trimSpaces(sites.model().site(selected).name).isEmpty()) {
        tell(QStringLiteral("Select Site from the list first!"), false);
        return;
    }
    const QList<int> checked = sites.model().checkedRows();
    const qsizetype n = checked.size();
    if (n >= 2) {
        if (!confirm(QStringLiteral("Do you want to delete selected sites") + CRLF + CRLF +
                     QStringLiteral("and all passwords related to them ?")))
            return;
    } else {
        const int target = n == 1 ? checked.first() : selected;
        if (!confirm(QStringLiteral("Do you want to delete this Site") + CRLF + CRLF +
                     bracketed(sites.model().site(target).name) + CRLF + CRLF +
                     QStringLiteral("and all passwords related to it ?")))
            return;
    }

    // Every checked row is visited once, in list order; a row whose site is missing is told about once and
    // stays in the list. The store's part is set-based: one statement per table, whatever the count.
    const QList<int> targets = n == 0 ? QList<int>{selected} : checked;
    QJsonArray codes;
    for (int row : targets)
        codes.append(sites.model().site(row).siteCode);
    const QString list = QString::fromUtf8(QJsonDocument(codes).toJson(QJsonDocument::Compact));
    const qint64 C = f.tree->currentCode();
    QList<int> deleted;
    try {
        Connection::Transaction work(f.db);
        QSet<qint32> stored;
        for (const Row& row : f.db.select(sql::StoredSites, {C, list}))
            stored.insert(qint32(row.value(0).toInt()));
        for (int row : targets) {
            if (stored.contains(sites.model().site(row).siteCode))
                deleted.append(row);
            else
                tell(QStringLiteral("Site not found !"), true);
        }
        if (!deleted.isEmpty()) {
            f.db.execute(sql::DeleteSitesPasswords, {C, list});
            f.db.execute(sql::DeleteSites, {C, list});
        }
        work.commit();
    } catch (const StoreError& error) {
        f.showStoreError(error.reason());
        return;
    }
    // The scan makes each checked row the selected one in turn: the last one is selected as the rows go.
    sitesRemoved(deleted, n >= 2 ? targets.last() : selected);
    commonEnd();
}

void RecordDeleter::sitesRemoved(const QList<int>& rows, int selected)
{
    SitesList& sites = *f.sites;
    if (!rows.isEmpty()) {
        f.passwordsModel.clear();
        // As a list does when its selected row goes, the selection moves on to the row after it.
        const QSet<int> gone(rows.cbegin(), rows.cend());
        int next = -1;
        for (int r = selected; r < sites.rowCount() && next < 0; ++r)
            next = gone.contains(r) ? -1 : r;
        for (int r = selected; r >= 0 && next < 0; --r)
            next = gone.contains(r) ? -1 : r;
        if (next >= 0)
            next -= int(std::count_if(rows.cbegin(), rows.cend(), [next](int r) { return r < next; }));
        sites.model().removeSites(rows);
        sites.selectRow(next);
        f.views->Clear(What::Sites);
        if (sites.rowCount() > 0) {
            sites.GotFocus();
            sites.selectRow(f.lvURLs->currentIndex().row());
        } else {
            f.tree->GotFocus();
            f.tree->select(f.tree->selected());
            f.tvCategories->setFocus(Qt::OtherFocusReason);
        }
    }
    f.sURLsCount->setText(QStringLiteral("%1 Site(s)").arg(sites.rowCount()));
}

void RecordDeleter::deletePassword()
{
    PasswordsModel& entries = f.passwordsModel;
    if (entries.rowCount() == 0)
        return;
    const int row = items::selectedRow(f.lvPasswords);
    if (row < 0 || trimSpaces(entries.text(row, PasswordsModel::PasswordColumn)).isEmpty()) {
        tell(QStringLiteral("Select UserID from the list first!"), false);
        return;
    }
    const qint64 C = f.tree->currentCode();
    const qint64 S = f.sites->selectedSiteCode().value_or(0);
    const qint64 R = entries.entry(row).ser;
    try {
        if (!f.db.exists(sql::Password, {C, S, R})) {
            tell(QStringLiteral("UserID not found!"), true);
            return;
        }
        if (!confirm(QStringLiteral("Do you want to delete this UserID ?") + CRLF + CRLF +
                     bracketed(entries.entry(row).userId)))
            return;
        Connection::Transaction work(f.db);
        f.db.execute(sql::DeletePassword, {C, S, R});
        work.commit();
    } catch (const StoreError& error) {
        f.showStoreError(error.reason());
        return;
    }

    entries.removeEntry(row);
    f.views->Clear(What::Passwords);
    if (entries.rowCount() > 0) {
        f.passwords->GotFocus();
        items::selectRow(f.lvPasswords, f.lvPasswords->currentIndex().row());
    } else {
        f.sites->GotFocus();
        f.sites->selectRow(f.lvURLs->currentIndex().row());
        // The sites are current now: the focus goes with them, so the next Delete does not act on an empty list.
        f.lvURLs->setFocus(Qt::OtherFocusReason);
    }
}
