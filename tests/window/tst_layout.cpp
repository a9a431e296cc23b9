#include "support/Fixture.h"
#include "support/TestMain.h"
#include "window/Layout.h"
#include "platform/Twips.h"

#include <QApplication>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QScopeGuard>
#include <QTreeView>

using layout::Input;
using layout::Result;

namespace {

// A result's fields in order, so that QCOMPARE shows which one differs.
QList<int> fields(const Result& r)
{
    return {r.apply,
            r.W,
            r.H,
            r.treeHeight,
            r.sitesHeight,
            r.sitesWidth,
            r.countTop,
            r.countWidth,
            r.passwordsTop,
            r.passwordsHeight,
            r.passwordsWidth,
            r.stripWidth,
            r.cmdCheckWidth,
            r.panelPos.x(),
            r.panelPos.y()};
}

// v: tree height, sites list height, count panel top, passwords list top.
// h: strip, cmdCheck, sites list, count panel, passwords list widths.
Result expected(int W, int H, std::array<int, 4> v, std::array<int, 5> h, QPoint panel)
{
    return Result{true, W, H, v[0], v[1], h[2], v[2], h[3], v[3], 1365, h[4], h[0], h[1], panel};
}

Input window(int W, int H, int tree, int sites, bool shown = false, QRect panel = layout::designed::SSPanel1)
{
    return Input{W, H, false, tree, sites, shown, panel};
}

// The window as it stands once a result has been applied.
Input applied(const Result& r, const Input& in)
{
    return Input{r.W, r.H, in.minimized, r.treeHeight, r.sitesWidth, in.panelVisible, {r.panelPos, in.panel.size()}};
}

constexpr std::array<int, 4> DesignedV{5640, 3930, 4850, 5145};
constexpr std::array<int, 5> DesignedH{9435, 1360, 6745, 6750, 6745};
constexpr std::array<int, 4> ResetV{5640, 3960, 4860, 5145};
constexpr std::array<int, 5> ResetH{6670, 1215, 6690, 6670, 6690};

} // namespace

class tst_Layout : public QObject {
    Q_OBJECT

private slots:
    // To the nearest pixel, symmetrically for negatives.
    void twipsRoundToTheNearestPixel()
    {
        QCOMPARE(twips::toPixels(7), 0);
        QCOMPARE(twips::toPixels(8), 1);
        QCOMPARE(twips::toPixels(-8), -1);
        QCOMPARE(twips::toPixels(6745), 450);
    }

    void layoutFollowsTheOuterSize_data()
    {
        QTest::addColumn<Input>("in");
        QTest::addColumn<Result>("out");
        const QRect near(3000, 2280, 8790, 2565);
        Input minimized = window(1000, 500, 5640, 6745, true);
        minimized.minimized = true;
        Result untouched = expected(1000, 500, {}, {}, {});
        untouched.apply = false;
        QTest::newRow("designed size") << Input{} << expected(9555, 6930, DesignedV, DesignedH, {383, 2183});
        QTest::newRow("1000 wider") << window(10555, 6930, 5640, 6745)
                                    << expected(10555, 6930, DesignedV, {10435, 2360, 7745, 7750, 7745}, {883, 2183});
        QTest::newRow("1000 taller") << window(9555, 7930, 5640, 6745)
                                     << expected(9555, 7930, {6640, 4930, 5850, 6145}, DesignedH, {383, 2683});
        QTest::newRow("below minimum") << window(9000, 6500, 5640, 6745)
                                       << expected(9555, 6930, {5210, 3500, 4420, 4715}, {8880, 805, 6190, 6195, 6190},
                                                   {383, 2183});
        QTest::newRow("minimized") << minimized << untouched;
        QTest::newRow("views below designed size")
            << window(12000, 9000, 5639, 6689) << expected(12000, 9000, ResetV, ResetH, {1605, 3218});
        QTest::newRow("cmdCheck narrowed to 0") << window(8195, 6930, 5640, 6745)
            << expected(9555, 6930, DesignedV, {8075, 0, 5385, 5390, 5385}, {383, 2183});
        QTest::newRow("cmdCheck negative resets, panel stays")
            << window(8194, 9000, 7710, 6745, true, {500, 600, 8790, 2565})
            << expected(9555, 6930, ResetV, ResetH, {500, 600});
        QTest::newRow("sites list height negative resets")
            << window(12000, 2999, 5640, 9190) << expected(9555, 6930, ResetV, ResetH, {360, 2280});
        QTest::newRow("shown panel near the right edge") << window(10000, 6930, 5640, 8190, true, near)
            << expected(10000, 6930, DesignedV, {9880, 1805, 7190, 7195, 7190}, {1070, 2280});
        QTest::newRow("shown panel near the bottom")
            << window(9555, 7000, 6640, 6745, true, near.translated(-2800, 2720))
            << expected(9555, 7000, {5710, 4000, 4920, 5215}, DesignedH, {200, 4015});
        QTest::newRow("shown panel is not pulled in at left and top")
            << window(9555, 6930, 5640, 6745, true, {-50, -60, 8790, 2565})
            << expected(9555, 6930, DesignedV, DesignedH, {-50, -60});
    }

    void layoutFollowsTheOuterSize()
    {
        QFETCH(Input, in);
        QFETCH(Result, out);
        const int compared = out.apply ? 15 : 3; // minimized: nothing is applied, so only the size counts
        QCOMPARE(fields(layout::compute(in)).mid(0, compared), fields(out).mid(0, compared));
    }

    void repeatedLayoutsSettle_data()
    {
        QTest::addColumn<Input>("in");
        QTest::addColumn<bool>("backToDesigned");
        QTest::newRow("below the minimum") << window(9000, 6500, 5640, 6745) << true;
        QTest::newRow("reset below the minimum") << window(8000, 6000, 5640, 6745) << true;
        QTest::newRow("odd sizes, shown panel") << window(10001, 7777, 5640, 6690, true, {1, 1, 8791, 2567}) << false;
    }

    // Every resize and repaint runs the layout again: within three rounds it must stop moving anything.
    void repeatedLayoutsSettle()
    {
        QFETCH(Input, in);
        QFETCH(bool, backToDesigned);
        Result r = layout::compute(in);
        for (int round = 0; round < 2; ++round)
            r = layout::compute(applied(r, in));
        QCOMPARE(fields(layout::compute(applied(r, in))), fields(r));
        if (backToDesigned)
            QCOMPARE(fields(r), fields(layout::compute(Input{})));
    }

    // The designed panel in the designed window may go left 0..625 and top 0..3945 (the window test drags past).
    void draggingStopsAtTheEdgesAndMargins()
    {
        const auto drag = [](int dx, int dy, int W = 9555) {
            return layout::dragPanel(layout::designed::SSPanel1, dx, dy, W, 6930);
        };
        QCOMPARE(drag(-359, 0), QPoint(1, 2280));
        QCOMPARE(drag(264, 0), QPoint(624, 2280));
        QCOMPARE(drag(5000, 0), QPoint(625, 2280));
        QCOMPARE(drag(0, 9999), QPoint(360, 3945));
        QCOMPARE(drag(5000, 0, 12000), QPoint(3070, 2280));
    }

    // arrPan centres like the layout does for a hidden panel, by the panel's own size, 30 lower.
    void arrPanCentresThirtyBelowTheLayout()
    {
        QCOMPARE(layout::arrPan(9555, 6930, layout::designed::SSPanel1.size()), QPoint(383, 2213));
        for (const QSize panel : {QSize(8000, 2000), QSize(12000, 8000)}) {
            const Input hidden = window(10000, 8000, 5640, 6690, false, QRect(QPoint(7, 7), panel));
            QCOMPARE(layout::arrPan(10000, 8000, panel), layout::compute(hidden).panelPos + QPoint(0, 30));
        }
    }

    void captionsFitAtTheirPlaces_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<int>("index");      // SSPanel5's; -1 for the others
        QTest::addColumn<QString>("text");   // shown while measuring; empty: the control's own
        QTest::addColumn<QString>("beside"); // the box the caption's text must end before
        QTest::addColumn<int>("larger");     // points added to the font: most desktops' is larger than the tests'
        const auto row = [](const QString& title, const char* name, int index, const char* text, const char* beside) {
            for (const int larger : {0, 2})
                QTest::addRow("%s +%dpt", qPrintable(title), larger)
                    << name << index << QString::fromUtf8(text) << beside << larger;
        };
        const char* const boxes[] = {"txtCatName", "txtSiteName", "txtURL",   "txtSiteDesc",
                                     "txtUserID",  "txtPassword", "txtPWDesc"};
        for (int i = 0; i < 7; ++i)
            row(QStringLiteral("SSPanel5(%1)").arg(i), "SSPanel5", i, "", boxes[i]);
        for (const char* name : {"Label1", "cmdCheck", "lvURLs", "lvPasswords"})
            row(name, name, -1, "", "");
        row("SSPanel3", "SSPanel3", -1, "", "txtNormal");
        row("SSPanel2", "SSPanel2", -1, "", "txtPass");
        row("sURLsCount", "sURLsCount", -1, "100000 Site(s)", "");
        for (const char* caption : {"[ Add / Edit ] Panel", "[ Edit Password ]", "[ Add Category ]"})
            row(caption, "SSPanel4", -1, caption, "");
    }

    // Every caption is whole at the designed size and after the layout has run again for a new size.
    void captionsFitAtTheirPlaces()
    {
        QFETCH(QString, name);
        QFETCH(int, index);
        QFETCH(QString, text);
        QFETCH(QString, beside);
        QFETCH(int, larger);
        const QFont font = QApplication::font();
        const auto restore = qScopeGuard([font] { QApplication::setFont(font); });
        QApplication::setFont(QFont(font.family(), font.pointSize() + larger));
        Fixture fx;
        frmMain& w = fx.open();
        QWidget* caption = nullptr;
        for (QWidget* found : w.findChildren<QWidget*>(name))
            if (index < 0 || found->property("Index").toInt() == index)
                caption = found;
        QVERIFY(caption);
        auto* label = qobject_cast<QLabel*>(caption);
        if (!text.isEmpty())
            label->setText(text);
        for (const int grow : {0, 1005}) {
            w.resize(w.width() + twips::toPixels(grow), w.height());
            QTRY_COMPARE(w.outerWidth(), layout::MinWidth + grow);
            if (auto* list = qobject_cast<QTreeView*>(caption)) {
                for (int c = 0; c < list->model()->columnCount(); ++c)
                    QVERIFY2(list->header()->sectionSizeHint(c) <= list->header()->sectionSize(c),
                             qPrintable(list->model()->headerData(c, Qt::Horizontal).toString()));
                continue;
            }
            const int needed = caption->sizeHint().width();
            QVERIFY2(needed <= caption->width(),
                     qPrintable(QStringLiteral("%1 > %2").arg(needed).arg(caption->width())));
            if (!beside.isEmpty()) {
                const bool centred = label->alignment() & Qt::AlignHCenter;
                const int textEnd = caption->x() + (centred ? (caption->width() + needed) / 2 : needed);
                QVERIFY(textEnd <= w.findChild<QWidget*>(beside)->x());
            }
        }
    }
};

DORVU_TEST_MAIN(tst_Layout)
#include "tst_layout.moc"
