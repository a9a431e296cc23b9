#include "WindowDriver.h"

#include "store/Dorvudb.h"
#include "window/frmMain.h"

#include <QAction>
#include <QApplication>
#include <QHeaderView>
#include <QLineEdit>
#include <QSignalBlocker>
#include <QTest>
#include <QTreeView>
#include <stdexcept>

namespace bench {

class PaintCounter : public QObject {
public:
    explicit PaintCounter(int& count) : m_count(count) {}
    bool eventFilter(QObject*, QEvent* event) override
    {
        if (event->type() == QEvent::Paint)
            ++m_count;
        return false;
    }

private:
    int& m_count;
};

namespace {

[[noreturn]] void missing(const QString& what)
{
    throw std::runtime_error("the window has no " + what.toStdString());
}

int countNodes(const QAbstractItemModel* model, const QModelIndex& parent)
{
    int count = 0;
    for (int row = 0; row < model->rowCount(parent); ++row)
        count += 1 + countNodes(model, model->index(row, 0, parent));
    return count;
}

} // namespace

WindowDriver::WindowDriver(QString folder) : m_folder(std::move(folder)) {}

WindowDriver::~WindowDriver()
{
    m_window.reset();
    m_store.reset();
}

void WindowDriver::openStore()
{
    m_store = std::make_unique<Dorvudb>(m_folder);
    m_store->BuildDataBase();
}

void WindowDriver::showWindow()
{
    m_window = std::make_unique<frmMain>(m_folder, m_store->connection(), Services{prompter, m_clipboard, m_shell});
    m_window->startUp();
    m_window->show();
    m_window->activateWindow();
    settle();
    m_counter = std::make_unique<PaintCounter>(m_sitesPaints);
    view("lvURLs")->viewport()->installEventFilter(m_counter.get());
}

void WindowDriver::activate()
{
    m_window->activateWindow();
    settle();
}

void WindowDriver::settle()
{
    // A view lays out on a zero timer and paints on a posted request: a few rounds let both happen.
    for (int round = 0; round < 3; ++round) {
        QCoreApplication::sendPostedEvents();
        QCoreApplication::processEvents();
    }
}

QTreeView* WindowDriver::view(const char* name) const
{
    QTreeView*& found = m_views[QByteArray(name)];
    if (!found)
        found = m_window->findChild<QTreeView*>(QLatin1String(name));
    if (!found)
        missing(QLatin1String(name));
    return found;
}

void WindowDriver::typeKey(const QString& key)
{
    auto* box = m_window->findChild<QLineEdit*>(QStringLiteral("txtPass"));
    if (!box)
        missing(QStringLiteral("txtPass"));
    QTest::keyClicks(box, key);
}

void WindowDriver::eraseLastKeyDigit()
{
    auto* box = m_window->findChild<QLineEdit*>(QStringLiteral("txtPass"));
    box->end(false);
    QTest::keyClick(box, Qt::Key_Backspace);
}

void WindowDriver::typeKeyDigit(QChar digit)
{
    QTest::keyClick(m_window->findChild<QLineEdit*>(QStringLiteral("txtPass")), digit.toLatin1());
}

QPersistentModelIndex WindowDriver::node(const QString& name)
{
    QPersistentModelIndex& cached = m_nodes[name];
    if (cached.isValid())
        return cached;
    QAbstractItemModel* model = view("tvCategories")->model();
    const QModelIndexList found =
        model->match(model->index(0, 0), Qt::DisplayRole, name, 1, Qt::MatchExactly | Qt::MatchRecursive);
    if (found.isEmpty())
        missing(QStringLiteral("category named ") + name);
    cached = found.first();
    return cached;
}

void WindowDriver::revealCategory(const QString& name)
{
    view("tvCategories")->scrollTo(node(name));
    settle();
}

void WindowDriver::clickCategory(const QString& name)
{
    QTreeView* tree = view("tvCategories");
    const QModelIndex index = node(name);
    tree->scrollTo(index);
    QTest::mouseClick(tree->viewport(), Qt::LeftButton, {}, tree->visualRect(index).center());
}

int WindowDriver::categoryNodes() const
{
    const QAbstractItemModel* model = view("tvCategories")->model();
    return countNodes(model, {});
}

int WindowDriver::siteRows() const
{
    return view("lvURLs")->model()->rowCount();
}

QString WindowDriver::siteCell(int row, int column) const
{
    const QAbstractItemModel* model = view("lvURLs")->model();
    return model->index(row, column - 1).data().toString();
}

int WindowDriver::siteRow(const QString& name) const
{
    const QAbstractItemModel* model = view("lvURLs")->model();
    const QModelIndexList found = model->match(model->index(0, 2), Qt::DisplayRole, name, 1, Qt::MatchExactly);
    return found.isEmpty() ? -1 : found.first().row();
}

void WindowDriver::clickSite(int row)
{
    QTreeView* list = view("lvURLs");
    const QModelIndex index = list->model()->index(row, 2);
    list->scrollTo(index);
    const QRect cell = list->visualRect(index);
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, QPoint(cell.left() + 24, cell.center().y()));
}

void WindowDriver::clickSitesHeader(int column)
{
    QHeaderView* header = view("lvURLs")->header();
    const int section = column - 1;
    const int x = header->sectionViewportPosition(section) + header->sectionSize(section) / 2;
    QTest::mouseClick(header->viewport(), Qt::LeftButton, {}, QPoint(x, header->height() / 2));
}

QStringList WindowDriver::checkFirstSites(int count)
{
    QTreeView* list = view("lvURLs");
    QAbstractItemModel* model = list->model();
    // Setting up, not measured: the list's per-tick handler recounts every row, which would make this quadratic.
    const QSignalBlocker quiet(list);
    QStringList names;
    for (int row = 0; row < count && row < model->rowCount(); ++row) {
        model->setData(model->index(row, 0), Qt::Checked, Qt::CheckStateRole);
        names << siteName(row);
    }
    return names;
}

int WindowDriver::checkedSites() const
{
    const QAbstractItemModel* model = view("lvURLs")->model();
    int checked = 0;
    for (int row = 0; row < model->rowCount(); ++row)
        checked += model->index(row, 0).data(Qt::CheckStateRole).toInt() == Qt::Checked;
    return checked;
}

int WindowDriver::entryRows() const
{
    return view("lvPasswords")->model()->rowCount();
}

void WindowDriver::pressButton(int index)
{
    auto* button = m_window->findChild<QAction*>(QStringLiteral("Button%1").arg(index));
    if (!button)
        missing(QStringLiteral("toolbar button %1").arg(index));
    button->trigger();
}

void WindowDriver::setSiteNameBox(const QString& name)
{
    auto* box = m_window->findChild<QLineEdit*>(QStringLiteral("txtSiteName"));
    if (!box)
        missing(QStringLiteral("txtSiteName"));
    box->setText(name);
}

} // namespace bench
