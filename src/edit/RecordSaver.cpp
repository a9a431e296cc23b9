#include "edit/RecordSaver.h"

#include "cipher/CryptText.h"
#include "edit/EditPanel.h"
#include "edit/Limits.h"
#include "edit/Statements.h"
#include "models/CategoryModel.h"
#include "platform/Prompter.h"
#include "store/Codes.h"
#include "store/Connection.h"
#include "store/StoreError.h"
#include "store/TrimSpaces.h"
#include "views/CategoryTree.h"
#include "views/Form.h"
#include "views/UnlockKey.h"
#include "views/ViewItems.h"
#include "views/ViewLoader.h"

#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTreeView>

void RecordSaver::SaveWhat(What what)
{
    if (!f.panel->isOpen())
        return;
    if (what == What::Passwords && !f.unlockKey->guard(Form::caption()))
        return;

    const What kind = f.panel->enabledKind();
    qint64 remembered = 0;
    try {
        bool saved = false;
        if (kind == What::Passwords)
            saved = savePassword();
        else if (kind == What::Sites)
            saved = saveSite();
        else
            saved = saveCategory(remembered);
        if (!saved)
            return;
    } catch (const StoreError& error) {
        // Rolled back: the store and the panel stay as they were, so the user can correct and save again.
        f.showStoreError(error.reason());
        return;
    }
    followUp(what, remembered);
}

bool RecordSaver::warnIfEmpty(const QString& text, const QString& message)
{
    if (!text.isEmpty())
        return false;
    f.prompter.warn(message, Form::caption());
    return true;
}

bool RecordSaver::refused(bool overLimit, const QString& message)
{
    if (overLimit)
        f.prompter.warn(message, Form::caption());
    return overLimit;
}

bool RecordSaver::askUpdate(const QString& question)
{
    return f.prompter.confirm(question, Form::caption(), Prompt::Icon::Question);
}

bool RecordSaver::savePassword()
{
    const QString U = trimSpaces(f.txtUserID->text());
    const QString password = trimSpaces(f.txtPassword->text());
    const QString D = trimSpaces(f.txtPWDesc->text());
    if (warnIfEmpty(trimSpaces(f.txtCatName->text()), QStringLiteral("Select category first.")) ||
        warnIfEmpty(trimSpaces(f.txtSiteName->text()), QStringLiteral("Select site first.")))
        return false;
    if (U.isEmpty() || password.isEmpty()) {
        f.prompter.warn(QStringLiteral("Enter UserID and Password first."), Form::caption());
        return false;
    }
    const Registers& r = f.state.registers();
    const qint64 catCode = r.catCode.value_or(0), siteCode = r.siteCode.value_or(0), ser = r.ser.value_or(0);

    Connection::Transaction work(f.db);
    if (f.db.exists(statements::FindPassword, {catCode, siteCode, ser})) {
        if (askUpdate(QStringLiteral("This password is found. Do you want to update it?"))) {
            const QString P = CryptText(CryptMode::Enc, f.unlockKey->key(), password);
            f.db.execute(statements::UpdatePassword, {U, P, D, catCode, siteCode, ser});
        }
    } else {
        const QString P = CryptText(CryptMode::Enc, f.unlockKey->key(), password);
        f.db.execute(statements::InsertPassword, {ser, catCode, siteCode, U, P, D});
    }
    work.commit();
    return true;
}

bool RecordSaver::saveSite()
{
    const QString S = trimSpaces(f.txtSiteName->text());
    const QString L = trimSpaces(f.txtURL->text());
    const QString E = trimSpaces(f.txtSiteDesc->toPlainText());
    if (warnIfEmpty(trimSpaces(f.txtCatName->text()), QStringLiteral("Select category first.")) ||
        warnIfEmpty(S, QStringLiteral("Enter site name first.")))
        return false;
    const Registers& r = f.state.registers();
    const qint64 catCode = r.catCode.value_or(0), siteCode = r.siteCode.value_or(0);

    Connection::Transaction work(f.db);
    if (f.db.exists(statements::FindSite, {catCode, siteCode})) {
        // The rank is the stars' business and stays as it is.
        if (askUpdate(QStringLiteral("This Site is found. Do you want to update it?")))
            f.db.execute(statements::UpdateSite, {S, L, E, catCode, siteCode});
    } else {
        f.db.execute(statements::InsertSite, {catCode, siteCode, S, L, E});
    }
    work.commit();
    return true;
}

bool RecordSaver::saveCategory(qint64& remembered)
{
    const QString C = trimSpaces(f.txtCatName->text());
    if (warnIfEmpty(C, QStringLiteral("Enter category name first.")))
        return false;
    const qint64 catCode = f.state.registers().catCode.value_or(0);

    Connection::Transaction work(f.db);
    if (f.db.exists(statements::FindCategory, {catCode})) {
        // Level and parent of a stored category never change here.
        if (askUpdate(QStringLiteral("This category is found. Do you want to update it?"))) {
            f.db.execute(statements::UpdateCategory, {C, catCode});
            remembered = catCode;
        }
        work.commit();
        return true;
    }

    // A new category: its code is taken from the table now, not from the panel; it goes under the tree's
    // selected node.
    const qint64 newCode = codes::nextCode(f.db.scalar(statements::MaxCatCodeOnSave));
    qint64 level = 1;
    qint64 K = 0;
    if (!f.tree->currentIsRoot()) {
        K = f.tree->currentCode();
        const QVariant parentLevel = f.db.scalar(statements::ParentLevel, {K});
        level = parentLevel.isNull() ? 1 : parentLevel.toLongLong() + 1;
    }
    if (refused(newCode > codes::MaxCode, limits::TooManyCategories) ||
        refused(level > codes::MaxLevel, limits::TooDeep))
        return false;
    if (level == 1)
        f.db.execute(statements::InsertTopCategory, {newCode, C, level});
    else
        f.db.execute(statements::InsertSubCategory, {newCode, C, level, K});
    work.commit();
    remembered = newCode;
    return true;
}

void RecordSaver::followUp(What what, qint64 remembered)
{
    const bool addMode = f.panel->mode() == PanelPort::Mode::Add;
    f.views->Load(what);

    if (what == What::Categories) {
        // Bring the saved category into view: an added one through its parent, an edited one itself.
        const QModelIndex node = f.categoryModel.indexOf(qint32(remembered)); // the root when nothing was saved
        const QModelIndex target = addMode && node.parent().isValid() ? node.parent() : node;
        if (target.isValid()) {
            f.tvCategories->expand(target);
            f.tree->select(target);
            f.tree->NodeClick(target);
        }
    }

    if (addMode)
        f.panel->NewWhat(what); // ready for the next record, its first box focused
    else
        f.panel->close();
}
