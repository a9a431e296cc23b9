#include "models/CategoryModel.h"
#include "models/SitesModel.h"
#include "support/TestMain.h"

#include <QItemSelectionModel>
#include <QSignalSpy>

namespace {

std::vector<SiteRow> sites(const QStringList& names)
{
    std::vector<SiteRow> rows;
    for (const QString& name : names)
        rows.push_back({qint32(rows.size() + 1), 0, false, name, {}, {}});
    return rows;
}

QStringList names(const SitesModel& model)
{
    QStringList shown;
    for (int row = 0; row < model.rowCount(); ++row)
        shown << model.text(row, SitesModel::NameColumn);
    return shown;
}

} // namespace

// The lists' rules against the models alone, without a window.
class TestModels : public QObject {
    Q_OBJECT

private slots:
    void sortingIsNaturalCaseInsensitiveAndKeepsTheSelectedSite()
    {
        SitesModel model;
        model.setRows(sites({"site10", "Beta", "site2", "alpha", "beta"}));
        QItemSelectionModel selection(&model);
        selection.setCurrentIndex(model.index(2, 0), QItemSelectionModel::ClearAndSelect); // site2
        model.sort(SitesModel::NameColumn, Qt::AscendingOrder);
        QCOMPARE(names(model), (QStringList{"alpha", "Beta", "beta", "site2", "site10"})); // ties keep their order
        QCOMPARE(model.site(selection.currentIndex().row()).name, QStringLiteral("site2"));
        model.sort(SitesModel::NameColumn, Qt::DescendingOrder);
        QCOMPARE(names(model), (QStringList{"site10", "site2", "Beta", "beta", "alpha"}));
    }

    void checkingAllIsOneChangeAndRemovingKeepsTheRest()
    {
        SitesModel model;
        model.setRows(sites({"a", "b", "c", "d", "e"}));
        QSignalSpy changes(&model, &QAbstractItemModel::dataChanged);
        model.setAllChecked(true);
        QCOMPARE(changes.count(), 1);
        QCOMPARE(model.checkedCount(), 5);
        QItemSelectionModel selection(&model);
        selection.setCurrentIndex(model.index(3, 0), QItemSelectionModel::ClearAndSelect); // d
        model.setData(model.index(3, 0), Qt::Unchecked, Qt::CheckStateRole);
        model.removeSites(model.checkedRows());
        QCOMPARE(names(model), QStringList{"d"});
        QCOMPARE(selection.currentIndex().row(), 0);
        QCOMPARE(model.checkedCount(), 0);
    }

    void aSubtreeGoesLeavesFirstAndLeavesTheRestAddressable()
    {
        // A (1) holds B (2) and E (5); B holds C (3) and D (4); F (6) is A's sibling.
        CategoryModel model;
        model.setCategories({{1, "A", 0}, {6, "F", 0}, {2, "B", 1}, {5, "E", 1}, {3, "C", 2}, {4, "D", 2}});
        QCOMPARE(model.leavesFirst(1), (QList<qint32>{3, 4, 2, 5, 1}));
        model.removeSubtree(1);
        QCOMPARE(model.codesInLoadOrder(), (QList<qint32>{0, 6}));
        QCOMPARE(model.indexOf(6).row(), 0);
        QCOMPARE(model.name(model.indexOf(6)), QStringLiteral("F"));
        QVERIFY(!model.indexOf(3).isValid());
    }
};

DORVU_TEST_MAIN(TestModels)
#include "tst_models.moc"
