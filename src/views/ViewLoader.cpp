#include "views/ViewLoader.h"

#include "models/SitesModel.h"
#include "platform/Pictures.h"
#include "store/Connection.h"
#include "store/StoreError.h"
#include "views/CategoryTree.h"
#include "views/Form.h"
#include "views/PasswordsList.h"
#include "views/SitesList.h"
#include "views/ViewItems.h"

#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTreeView>

void ViewLoader::Load(What what)
{
    if (what == What::Categories) {
        f.categoryModel.clear();
        emptySites();
    } else if (what == What::Sites) {
        emptySites();
    } else if (what == What::Passwords) {
        f.passwordsModel.clear();
    }
    ReLoad(what);
}

void ViewLoader::emptySites()
{
    f.sitesModel.clear();
    // Rows come back unchecked, so the check-all header must not claim they are all checked.
    f.sitesModel.setHeaderPicture(SitesModel::CheckColumn, img1616::NotAllChecked);
    f.sURLsCount->setText(QStringLiteral("0 Site(s)"));
    f.passwordsModel.clear();
}

void ViewLoader::ReLoad(What what)
{
    // A store that fails while a view fills leaves the view as far as it got; the user is told once.
    try {
        if (what == What::Categories)
            reloadCategories();
        else if (what == What::Sites)
            reloadSites();
        else if (what == What::Passwords)
            f.passwords->Fill();
    } catch (const StoreError& error) {
        f.showStoreError(error.reason());
    }
}

void ViewLoader::reloadCategories()
{
    emptySites();
    // Level by level, so every parent comes before its children; within a level, in the store's order.
    std::vector<CategoryRow> rows;
    f.db.each(QStringLiteral("SELECT CatCode, CatName, Parent FROM Categories ORDER BY CatLevel, CatCode"), {},
              [&rows](const Cursor& row) {
                  rows.push_back({qint32(row.integer(0)), row.text(1), qint32(row.integer(2))});
              });
    f.categoryModel.setCategories(rows);
}

void ViewLoader::reloadSites()
{
    emptySites();
    const qint64 C = f.tree->currentCode();
    std::vector<SiteRow> rows;
    rows.reserve(size_t(f.db.scalar(QStringLiteral("SELECT count(*) FROM URLs WHERE CatCode = ?"), {C}).toLongLong()));
    f.db.each(QStringLiteral("SELECT SiteCode, Rank, SiteName, URL, SiteDesc FROM URLs WHERE CatCode = ? "
                             "ORDER BY SiteName COLLATE NOCASE"),
              {C}, [&rows](const Cursor& row) {
                  // A Null description shows empty.
                  rows.push_back(
                      {qint32(row.integer(0)), qint32(row.integer(1)), false, row.text(2), row.text(3), row.text(4)});
              });
    const size_t count = rows.size();
    f.sitesModel.setRows(std::move(rows));
    f.sites->applySort();
    if (count > 0)
        f.sURLsCount->setText(QStringLiteral("%1 Site(s)").arg(count));
}

void ViewLoader::Clear(What what)
{
    if (what == What::Categories) {
        f.state.setCatCode(std::nullopt);
        f.txtCatName->clear();
    } else if (what == What::Sites) {
        f.state.setSiteCode(std::nullopt);
        f.txtSiteName->clear();
        f.txtURL->setText(QStringLiteral("http://"));
        f.txtSiteDesc->clear();
    } else if (what == What::Passwords) {
        f.state.setSer(std::nullopt);
        f.txtUserID->clear();
        f.txtPassword->clear();
        f.txtPWDesc->clear();
    }
}
