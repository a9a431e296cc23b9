#include "support/Fixture.h"

#include "platform/Pictures.h"

#include <QHeaderView>
#include <QTest>
#include <QTreeView>

Fixture::Fixture() : m_store(std::make_unique<Dorvudb>(m_dir.path()))
{
    m_store->BuildDataBase();
}

void Fixture::addCategory(qint64 code, const QString& name, int level, qint64 parent)
{
    db().execute(QStringLiteral("INSERT INTO Categories (CatCode, CatName, CatLevel, Parent) VALUES (?, ?, ?, ?)"),
                 {code, name, level, parent});
}

void Fixture::addSite(qint64 category, qint64 site, const QString& name, const QString& url,
                      const QVariant& description, qint64 rank)
{
    db().execute(QStringLiteral("INSERT INTO URLs (CatCode, SiteCode, SiteName, Rank, URL, SiteDesc) "
                                "VALUES (?, ?, ?, ?, ?, ?)"),
                 {category, site, name, rank, url, description});
}

void Fixture::addPassword(qint64 category, qint64 site, int ser, const QString& userId, const QString& storedPassword,
                          const QVariant& description)
{
    db().execute(QStringLiteral("INSERT INTO PWs (CatCode, SiteCode, Ser, UserID, UserPW, PWDesc) "
                                "VALUES (?, ?, ?, ?, ?, ?)"),
                 {category, site, ser, userId, storedPassword, description});
}

frmMain& Fixture::open()
{
    m_window = std::make_unique<frmMain>(m_dir.path(), db(), Services{prompter, clipboard, shell});
    m_store->keepBackupBeforeFirstChange(); // as the program does
    m_window->startUp();
    m_window->show();
    m_window->activateWindow();
    if (!QTest::qWaitForWindowExposed(m_window.get()))
        qWarning("the main window was not exposed");
    QCoreApplication::processEvents();
    return *m_window;
}

int Fixture::count(const QString& table)
{
    return db().scalar(QStringLiteral("SELECT count(*) FROM ") + table).toInt();
}

QString Fixture::dump()
{
    QStringList lines;
    for (const char* table : {"Categories", "URLs", "PWs"}) {
        for (const Row& row : db().select(QStringLiteral("SELECT * FROM %1 ORDER BY 1, 2, 3").arg(table))) {
            QStringList values;
            for (int i = 0; i < row.size(); ++i)
                values << row.value(i).toString();
            lines << QLatin1String(table) + u':' + values.join(u'|');
        }
    }
    return lines.join(u'\n');
}

QModelIndex Fixture::node(const QString& text) const
{
    const QAbstractItemModel* model = m_window->tvCategories->model();
    const QModelIndexList found =
        model->match(model->index(0, 0), Qt::DisplayRole, text, 1, Qt::MatchExactly | Qt::MatchRecursive);
    return found.value(0);
}

void Fixture::clickNode(const QString& text)
{
    const QModelIndex index = node(text);
    QVERIFY2(index.isValid(), qPrintable(text));
    QTreeView* tree = m_window->tvCategories;
    tree->scrollTo(index);
    QTest::mouseClick(tree->viewport(), Qt::LeftButton, {}, tree->visualRect(index).center());
}

int pictureOf(const QModelIndex& node)
{
    return node.data(img1616::PictureRole).toInt();
}

QPoint Fixture::rowPoint(const QTreeView* list, int row)
{
    const QModelIndex index = list->model()->index(row, 0);
    if (!index.isValid())
        return {};
    const int column = list->model()->columnCount() > 3 ? 2 : 0;
    const QRect rect = list->visualRect(index);
    return {list->header()->sectionViewportPosition(column) + 24, rect.center().y()};
}

void Fixture::clickRow(QTreeView* list, int row)
{
    const QModelIndex index = list->model()->index(row, 0);
    QVERIFY2(index.isValid(), qPrintable(QString::number(row)));
    list->scrollTo(index);
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, rowPoint(list, row));
}

void Fixture::doubleClickRow(QTreeView* list, int row)
{
    clickRow(list, row);
    QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, rowPoint(list, row));
}

namespace list {

int rows(const QTreeView* view)
{
    return view->model()->rowCount();
}

QString text(const QTreeView* view, int row, int column)
{
    return view->model()->index(row, column).data().toString();
}

int picture(const QTreeView* view, int row, int column)
{
    return view->model()->index(row, column).data(img1616::PictureRole).toInt();
}

int headerPicture(const QTreeView* view, int column)
{
    return view->model()->headerData(column, Qt::Horizontal, img1616::PictureRole).toInt();
}

Qt::CheckState checkState(const QTreeView* view, int row)
{
    return view->model()->index(row, 0).data(Qt::CheckStateRole).value<Qt::CheckState>();
}

void setCheckState(QTreeView* view, int row, Qt::CheckState state)
{
    view->model()->setData(view->model()->index(row, 0), state, Qt::CheckStateRole);
}

int selected(const QTreeView* view)
{
    const QModelIndexList rows = view->selectionModel()->selectedRows();
    return rows.isEmpty() ? -1 : rows.first().row();
}

void select(QTreeView* view, int row)
{
    if (row < 0)
        view->selectionModel()->clear();
    else
        view->selectionModel()->setCurrentIndex(view->model()->index(row, 0),
                                                QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
}

int rowWith(const QTreeView* view, int column, const QString& text)
{
    for (int row = 0; row < rows(view); ++row) {
        if (list::text(view, row, column) == text)
            return row;
    }
    return -1;
}

QStringList column(const QTreeView* view, int column)
{
    QStringList texts;
    for (int row = 0; row < rows(view); ++row)
        texts << text(view, row, column);
    return texts;
}

} // namespace list
