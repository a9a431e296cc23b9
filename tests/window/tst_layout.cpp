#include "window/Layout.h"
#include "window/Twips.h"

#include <QTest>

using layout::Input;
using layout::Result;

Q_DECLARE_METATYPE(layout::Input)
Q_DECLARE_METATYPE(layout::Result)

namespace layout {
// Lets QCOMPARE print both results when they differ.
char* toString(const Result& r)
{
    return qstrdup(
        QStringLiteral("apply %1 W %2 H %3 tree %4 sites %5x%6 count top %7 w %8 passwords top %9 h %10 w %11 "
                       "strip %12 cmdCheck %13 panel (%14, %15)")
            .arg(r.apply)
            .arg(r.W)
            .arg(r.H)
            .arg(r.treeHeight)
            .arg(r.sitesWidth)
            .arg(r.sitesHeight)
            .arg(r.countTop)
            .arg(r.countWidth)
            .arg(r.passwordsTop)
            .arg(r.passwordsHeight)
            .arg(r.passwordsWidth)
            .arg(r.stripWidth)
            .arg(r.cmdCheckWidth)
            .arg(r.panelPos.x())
            .arg(r.panelPos.y())
            .toUtf8()
            .constData());
}
} // namespace layout

namespace {

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
Input applied(const Result& r, Input in)
{
    in.W = r.W;
    in.H = r.H;
    in.treeHeight = r.treeHeight;
    in.sitesWidth = r.sitesWidth;
    in.panel.moveTopLeft(r.panelPos);
    return in;
}

constexpr std::array<int, 4> DesignedVertical{5640, 3930, 4850, 5145};
constexpr std::array<int, 5> DesignedHorizontal{9435, 1360, 6745, 6750, 6745};
constexpr std::array<int, 4> ResetVertical{5640, 3960, 4860, 5145};
constexpr std::array<int, 5> ResetHorizontal{6670, 1215, 6690, 6670, 6690};

} // namespace

class tst_Layout : public QObject {
    Q_OBJECT

private slots:
    void twipsRounding_data();
    void twipsRounding();
    void twipsShapes();
    void compute_data();
    void compute();
    void minimizedLeavesAll();
    void springsBackToDesigned_data();
    void springsBackToDesigned();
    void settled_data();
    void settled();
    void dragPanel_data();
    void dragPanel();
    void arrPan_data();
    void arrPan();
};

void tst_Layout::twipsRounding_data()
{
    QTest::addColumn<int>("twips");
    QTest::addColumn<int>("pixels");
    for (int px : {0, 1, -1, 629, -637, 100000})
        QTest::addRow("exact %d", px) << px * 15 << px;
    QTest::newRow("7 down") << 7 << 0;
    QTest::newRow("8 up") << 8 << 1;
    QTest::newRow("22 down") << 22 << 1;
    QTest::newRow("23 up") << 23 << 2;
    QTest::newRow("-7 towards zero") << -7 << 0;
    QTest::newRow("-8 away from zero") << -8 << -1;
    QTest::newRow("-23 away from zero") << -23 << -2;
    QTest::newRow("sites width 6745") << 6745 << 450;
    QTest::newRow("count top 4850") << 4850 << 323;
}

void tst_Layout::twipsRounding()
{
    QFETCH(int, twips);
    QFETCH(int, pixels);
    QCOMPARE(twips::toPixels(twips), pixels);
    if (twips % 15 == 0)
        QCOMPARE(twips::fromPixels(pixels), twips);
}

void tst_Layout::twipsShapes()
{
    QCOMPARE(twips::toPixels(QRect(2685, 4850, 6750, 255)), QRect(179, 323, 450, 17));
    QCOMPARE(twips::fromPixels(QRect(-1, 2, 3, 4)), QRect(-15, 30, 45, 60));
    QCOMPARE(twips::toPixels(QSize(6745, 3930)), QSize(450, 262));
    QCOMPARE(twips::fromPixels(QSize(629, 435)), QSize(9435, 6525));
    QCOMPARE(twips::toPixels(QPoint(383, -8)), QPoint(26, -1));
    QCOMPARE(twips::fromPixels(QPoint(26, -1)), QPoint(390, -15));
}

void tst_Layout::compute_data()
{
    QTest::addColumn<Input>("in");
    QTest::addColumn<Result>("out");
    const QRect near(3000, 2280, 8790, 2565);

    QTest::newRow("designed size") << Input{}
                                   << expected(9555, 6930, DesignedVertical, DesignedHorizontal, {383, 2183});
    QTest::newRow("1000 wider") << window(10555, 6930, 5640, 6745)
                                << expected(10555, 6930, DesignedVertical, {10435, 2360, 7745, 7750, 7745},
                                            {883, 2183});
    QTest::newRow("1000 taller") << window(9555, 7930, 5640, 6745)
                                 << expected(9555, 7930, {6640, 4930, 5850, 6145}, DesignedHorizontal, {383, 2683});
    QTest::newRow("below minimum") << window(9000, 6500, 5640, 6745)
                                   << expected(9555, 6930, {5210, 3500, 4420, 4715}, {8880, 805, 6190, 6195, 6190},
                                               {383, 2183});
    QTest::newRow("views below designed size")
        << window(12000, 9000, 5639, 6689) << expected(12000, 9000, ResetVertical, ResetHorizontal, {1605, 3218});
    QTest::newRow("cmdCheck narrowed to 0")
        << window(8195, 6930, 5640, 6745)
        << expected(9555, 6930, DesignedVertical, {8075, 0, 5385, 5390, 5385}, {383, 2183});
    QTest::newRow("cmdCheck negative resets, also the height")
        << window(8194, 9000, 7710, 6745, true, {500, 600, 8790, 2565})
        << expected(9555, 6930, ResetVertical, ResetHorizontal, {500, 600});
    QTest::newRow("sites list height negative resets")
        << window(12000, 2999, 5640, 9190) << expected(9555, 6930, ResetVertical, ResetHorizontal, {360, 2280});
    QTest::newRow("shown panel near the right edge, narrower")
        << window(10000, 6930, 5640, 8190, true, near)
        << expected(10000, 6930, DesignedVertical, {9880, 1805, 7190, 7195, 7190}, {1070, 2280});
    QTest::newRow("shown panel near the bottom, shorter")
        << window(9555, 7000, 6640, 6745, true, near.translated(-2800, 2720))
        << expected(9555, 7000, {5710, 4000, 4920, 5215}, DesignedHorizontal, {200, 4015});
    QTest::newRow("shown panel is not pulled in at left and top")
        << window(9555, 6930, 5640, 6745, true, {-50, -60, 8790, 2565})
        << expected(9555, 6930, DesignedVertical, DesignedHorizontal, {-50, -60});
    QTest::newRow("hidden panel recentred by its own size")
        << window(12000, 9000, 7710, 9190, false, {100, 100, 8000, 2000})
        << expected(12000, 9000, {7710, 6000, 6920, 7215}, {11880, 3805, 9190, 9195, 9190}, {2000, 3500});
}

void tst_Layout::compute()
{
    QFETCH(Input, in);
    QFETCH(Result, out);
    QCOMPARE(layout::compute(in), out);
}

void tst_Layout::minimizedLeavesAll()
{
    for (const Input& base : {Input{}, window(1000, 500, 5640, 6745, true)}) {
        Input in = base;
        in.minimized = true;
        const Result r = layout::compute(in);
        QVERIFY(!r.apply);
        QCOMPARE(r.W, in.W);
        QCOMPARE(r.H, in.H);
    }
}

void tst_Layout::springsBackToDesigned_data()
{
    QTest::addColumn<Input>("in");
    QTest::addColumn<Result>("second");
    QTest::newRow("by the minimum rule") << window(9000, 6500, 5640, 6745)
                                         << expected(9555, 6930, ResetVertical, ResetHorizontal, {383, 2183});
    QTest::newRow("by the reset") << window(8000, 6000, 5640, 6745) << layout::compute(Input{});
}

// The first layout below the minimum resizes the window; the layout that resize brings and the next repaint settle
// on what the designed size gives.
void tst_Layout::springsBackToDesigned()
{
    QFETCH(Input, in);
    QFETCH(Result, second);
    const Result first = layout::compute(in);
    QCOMPARE(first.W, layout::MinWidth);
    QCOMPARE(first.H, layout::MinHeight);
    const Result r = layout::compute(applied(first, in));
    QCOMPARE(r, second);
    QCOMPARE(layout::compute(applied(r, in)), layout::compute(Input{}));
}

void tst_Layout::settled_data()
{
    QTest::addColumn<Input>("in");
    QTest::newRow("designed") << Input{};
    QTest::newRow("wider") << window(10555, 6930, 5640, 6690);
    QTest::newRow("taller") << window(9555, 7930, 5640, 6690);
    QTest::newRow("large, shown panel") << window(30000, 20000, 5640, 6690, true, {25000, 19000, 8790, 2565});
    QTest::newRow("odd sizes, shown panel") << window(10001, 7777, 5640, 6690, true, {1, 1, 8791, 2567});
}

// Repaints run the layout again and again: once applied, it must not move anything, and every stretched control
// must end inside the client area.
void tst_Layout::settled()
{
    QFETCH(Input, in);
    const Result r = layout::compute(in);
    QCOMPARE(layout::compute(applied(r, in)), r);

    const int clientWidth = r.W - layout::FrameWidth, clientHeight = r.H - layout::FrameHeight;
    using namespace layout::designed;
    QVERIFY(lvURLs.left() + r.sitesWidth <= clientWidth);
    QVERIFY(sURLsCount.left() + r.countWidth <= clientWidth);
    QVERIFY(lvPasswords.left() + r.passwordsWidth <= clientWidth);
    QVERIFY(SSPanel2.left() + r.stripWidth <= clientWidth);
    QVERIFY(cmdCheck.left() + r.cmdCheckWidth <= r.stripWidth);
    QVERIFY(tvCategories.top() + r.treeHeight <= clientHeight);
    QVERIFY(lvURLs.top() + r.sitesHeight < r.countTop);
    QVERIFY(r.countTop + sURLsCount.height() < r.passwordsTop);
    QVERIFY(r.passwordsTop + r.passwordsHeight <= clientHeight);
}

void tst_Layout::dragPanel_data()
{
    QTest::addColumn<int>("dx");
    QTest::addColumn<int>("dy");
    QTest::addColumn<int>("W");
    QTest::addColumn<QPoint>("pos");
    // The designed panel in the designed window: left runs 0..625, top 0..3945.
    QTest::newRow("inside") << 100 << 200 << 9555 << QPoint(460, 2480);
    QTest::newRow("left edge reached") << -360 << 0 << 9555 << QPoint(0, 2280);
    QTest::newRow("one inside the left edge") << -359 << 0 << 9555 << QPoint(1, 2280);
    QTest::newRow("past the left edge") << -1000 << 0 << 9555 << QPoint(0, 2280);
    QTest::newRow("past the top edge") << 0 << -3000 << 9555 << QPoint(360, 0);
    QTest::newRow("one short of the right margin") << 264 << 0 << 9555 << QPoint(624, 2280);
    QTest::newRow("past the right margin") << 5000 << 0 << 9555 << QPoint(625, 2280);
    QTest::newRow("one short of the bottom margin") << 0 << 1664 << 9555 << QPoint(360, 3944);
    QTest::newRow("past the bottom margin") << 0 << 9999 << 9555 << QPoint(360, 3945);
    QTest::newRow("bottom-left corner") << -1000 << 9999 << 9555 << QPoint(0, 3945);
    QTest::newRow("right margin of a wider window") << 5000 << 0 << 12000 << QPoint(3070, 2280);
}

void tst_Layout::dragPanel()
{
    QFETCH(int, dx);
    QFETCH(int, dy);
    QFETCH(int, W);
    QFETCH(QPoint, pos);
    QCOMPARE(layout::dragPanel(layout::designed::SSPanel1, dx, dy, W, 6930), pos);
}

void tst_Layout::arrPan_data()
{
    QTest::addColumn<int>("W");
    QTest::addColumn<int>("H");
    QTest::addColumn<QSize>("panel");
    QTest::addColumn<QPoint>("pos");
    QTest::newRow("designed") << 9555 << 6930 << layout::designed::SSPanel1.size() << QPoint(383, 2213);
    QTest::newRow("even halves") << 10000 << 8000 << QSize(8000, 2000) << QPoint(1000, 3030);
    QTest::newRow("panel larger than the window") << 9555 << 6930 << QSize(12000, 8000) << QPoint(-1222, -505);
}

// arrPan centres like the layout's hidden panel, 30 lower.
void tst_Layout::arrPan()
{
    QFETCH(int, W);
    QFETCH(int, H);
    QFETCH(QSize, panel);
    QFETCH(QPoint, pos);
    QCOMPARE(layout::arrPan(W, H, panel), pos);
    const Input hidden = window(W, H, 5640, 6690, false, QRect(QPoint(7, 7), panel));
    QCOMPARE(layout::compute(hidden).panelPos + QPoint(0, 30), pos);
}

QTEST_GUILESS_MAIN(tst_Layout)
#include "tst_layout.moc"
