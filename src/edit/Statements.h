#pragma once

#include <QString>

// The statements of the edit panel and of saving. Values are bound (`?`), never pasted into the text;
// the trace fills them in, so it reads as the statement that was meant.
namespace statements {

// New codes: the largest in use in the scope, plus one.
inline const QString MaxSer = QStringLiteral("Select max(ser) as xMax From PWs where catcode =? And sitecode =?");
inline const QString MaxSiteCode = QStringLiteral("Select max(sitecode) as xMax From URLs where catcode =?");
inline const QString MaxCatCode = QStringLiteral("Select max(catcode) as xMax From Categories");
// A new category's code is allocated again at save time.
inline const QString MaxCatCodeOnSave = QStringLiteral("Select Max(CatCode) as xMax From Categories");

inline const QString FindPassword = QStringLiteral("Select * from pws where catcode =? And Sitecode =? And ser =?");
inline const QString UpdatePassword = QStringLiteral(
    "UpDate PWs Set UserID = ?, UserPW = ?, PWDesc =? where (catcode =?) And (Sitecode =?) And (ser =?)");
inline const QString InsertPassword =
    QStringLiteral("INSERT into pws (Ser, catcode, Sitecode, UserID, UserPW, PWDesc) values (?, ?, ?, ?, ?, ?)");

inline const QString FindSite = QStringLiteral("Select * from urls where catcode =? And sitecode =?");
inline const QString UpdateSite =
    QStringLiteral("UpDate URLs Set Sitename = ?, url = ?, sitedesc = ? where (catcode =?) And (Sitecode =?)");
inline const QString InsertSite =
    QStringLiteral("INSERT into urls (catcode, sitecode, sitename, Rank, url, sitedesc) values (?, ?, ?, 0, ?, ?)");

inline const QString FindCategory = QStringLiteral("Select catcode from categories where catcode =?");
inline const QString UpdateCategory = QStringLiteral("UpDate Categories Set catname = ? where (catcode =?)");
inline const QString ParentLevel = QStringLiteral("Select CatLevel From Categories where catcode = ?");
inline const QString InsertTopCategory =
    QStringLiteral("INSERT into Categories (catcode, CatName, CatLevel, Parent) values (?, ?, ?, 0)");
inline const QString InsertSubCategory =
    QStringLiteral("INSERT into Categories (catcode, CatName, CatLevel, Parent) values (?, ?, ?, ?)");

} // namespace statements
