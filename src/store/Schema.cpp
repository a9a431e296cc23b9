#include "store/Schema.h"

namespace schema {
namespace {

// Integers that must be integers, within a column's width.
QString int32(const char* column)
{
    return QStringLiteral(
               "%1 INTEGER NOT NULL CHECK (typeof(%1) = 'integer' AND %1 BETWEEN -2147483648 AND 2147483647)")
        .arg(QLatin1String(column));
}

QString uint8(const char* column)
{
    return QStringLiteral("%1 INTEGER NOT NULL CHECK (typeof(%1) = 'integer' AND %1 BETWEEN 0 AND 255)")
        .arg(QLatin1String(column));
}

QString text(const char* column, int longest, bool nullable)
{
    const QString c = QLatin1String(column);
    if (nullable)
        return QStringLiteral("%1 TEXT CHECK (%1 IS NULL OR (typeof(%1) = 'text' AND length(%1) <= %2))")
            .arg(c)
            .arg(longest);
    return QStringLiteral("%1 TEXT NOT NULL CHECK (typeof(%1) = 'text' AND length(%1) <= %2)").arg(c).arg(longest);
}

} // namespace

QString categoriesTable()
{
    return QStringLiteral("CREATE TABLE Categories (%1, %2, %3, %4, CONSTRAINT Key1 PRIMARY KEY (CatCode))")
        .arg(int32("CatCode"), text("CatName", 50, false), uint8("CatLevel"), int32("Parent"));
}

QString urlsTable()
{
    return QStringLiteral("CREATE TABLE URLs (%1, %2, %3, %4, %5, %6, "
                          "CONSTRAINT Key3 FOREIGN KEY (CatCode) REFERENCES Categories (CatCode))")
        .arg(int32("CatCode"), int32("SiteCode"), int32("Rank"), text("SiteName", 200, false), text("URL", 500, false),
             text("SiteDesc", 500, true));
}

QString pwsTable()
{
    return QStringLiteral("CREATE TABLE PWs (%1, %2, %3, %4, %5, %6, "
                          "CONSTRAINT Key4 FOREIGN KEY (CatCode) REFERENCES Categories (CatCode))")
        .arg(int32("CatCode"), int32("SiteCode"), uint8("Ser"), text("UserID", 25, false), text("UserPW", 25, true),
             text("PWDesc", 500, true));
}

QStringList indexes()
{
    return {
        QStringLiteral("CREATE INDEX CategoriesByLevel ON Categories (CatLevel)"),
        QStringLiteral("CREATE INDEX URLsBySite ON URLs (CatCode, SiteCode)"),
        QStringLiteral("CREATE INDEX PWsByEntry ON PWs (CatCode, SiteCode, Ser)"),
    };
}

QList<TableColumns> requiredColumns()
{
    return {
        {"Categories", {"CatCode", "CatName", "CatLevel", "Parent"}},
        {"URLs", {"CatCode", "SiteCode", "Rank", "SiteName", "URL", "SiteDesc"}},
        {"PWs", {"CatCode", "SiteCode", "Ser", "UserID", "UserPW", "PWDesc"}},
    };
}

} // namespace schema
