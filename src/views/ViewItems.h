#pragma once

#include "platform/Pictures.h"

#include <QString>
#include <QTreeWidgetItem>

#include <optional>

class QAbstractItemView;
class QTreeWidget;

// What the views keep with their items, and the pictures they show, read back by index.
namespace items {

inline constexpr int KeyRole = Qt::UserRole + 1; // a tree node's key: "Roo0" or "Sub" + CatCode
inline constexpr int TagRole = Qt::UserRole + 2; // a row's tag (SiteCode or Ser), or a password column's clear text

inline const QString RootKey = QStringLiteral("Roo0");

QString key(const QTreeWidgetItem* node);
// The category code of a node: the numeric value of its key from the fourth character on (the root gives 0).
qint64 code(const QTreeWidgetItem* node);
// The same code as the key writes it (the text from the fourth character).
QString codeText(const QTreeWidgetItem* node);
bool isRoot(const QTreeWidgetItem* node);

QString tag(const QTreeWidgetItem* row, int column = 0);
void setTag(QTreeWidgetItem* row, const QString& tag, int column = 0);
// A row's code (SiteCode or Ser), kept with it as a number; empty for no row.
std::optional<qint32> rowCode(const QTreeWidgetItem* row);
void setRowCode(QTreeWidgetItem* row, qint32 code);

void setPicture(QTreeWidgetItem* item, int column, int index);
int picture(const QTreeWidgetItem* item, int column = 0);
void setHeaderPicture(QTreeWidget* view, int column, int index);
int headerPicture(const QTreeWidget* view, int column);

// The selected row of a list (the current row when it is selected), -1 when none is.
int selectedRow(const QAbstractItemView* view);
// Marks a row as the one selected (and current) without any click being performed; -1 clears the selection.
void selectRow(QAbstractItemView* view, int row);

} // namespace items
