#include "platform/Pictures.h"

#include <QCoreApplication>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QPixmap>
#include <QRadialGradient>
#include <QThread>
#include <array>
#include <cmath>
#include <numbers>

// Every picture is drawn in a 16-unit square and rendered at 16 and 32 px, so it stays sharp on high-dpi screens.
// Outlines sit on half units, which keeps 1-unit lines crisp at both sizes.
namespace {

using Paint = void (*)(QPainter&);

QPen outline(const QColor& color, qreal width = 1.0)
{
    return QPen(color, width, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
}

QLinearGradient vertical(qreal top, qreal bottom, const QColor& light, const QColor& dark)
{
    QLinearGradient gradient(0, top, 0, bottom);
    gradient.setColorAt(0, light);
    gradient.setColorAt(1, dark);
    return gradient;
}

void fill(QPainter& p, const QPainterPath& path, const QBrush& brush, const QPen& pen)
{
    p.setPen(pen);
    p.setBrush(brush);
    p.drawPath(path);
}

// A line drawn twice, wide and dark then narrow and light, reads as an outlined bar.
void outlinedStroke(QPainter& p, const QPainterPath& path, const QColor& dark, const QColor& light, qreal width)
{
    p.setBrush(Qt::NoBrush);
    p.setPen(outline(dark, width + 1.6));
    p.drawPath(path);
    p.setPen(outline(light, width));
    p.drawPath(path);
}

QPainterPath line(QPointF from, QPointF to)
{
    QPainterPath path(from);
    path.lineTo(to);
    return path;
}

QPainterPath starPath(QPointF centre, qreal outer, qreal inner)
{
    QPainterPath path;
    for (int i = 0; i < 10; ++i) {
        const qreal radius = i % 2 ? inner : outer;
        const qreal angle = -std::numbers::pi / 2 + i * std::numbers::pi / 5;
        const QPointF point(centre.x() + radius * std::cos(angle), centre.y() + radius * std::sin(angle));
        if (i == 0)
            path.moveTo(point);
        else
            path.lineTo(point);
    }
    path.closeSubpath();
    return path;
}

void star(QPainter& p, QPointF centre, qreal outer, qreal inner, const QColor& light, const QColor& dark,
          const QColor& edge)
{
    fill(p, starPath(centre, outer, inner), vertical(centre.y() - outer, centre.y() + outer, light, dark),
         outline(edge, 0.8));
}

// An arrow from `from` to `tip` as one closed outline: shaft, then head.
QPainterPath arrowPath(QPointF from, QPointF tip, qreal shaftWidth, qreal headLength, qreal headWidth)
{
    QPointF direction = tip - from;
    direction /= std::hypot(direction.x(), direction.y());
    const QPointF normal(-direction.y(), direction.x());
    const QPointF base = tip - direction * headLength;
    QPainterPath path(from + normal * shaftWidth / 2);
    path.lineTo(base + normal * shaftWidth / 2);
    path.lineTo(base + normal * headWidth / 2);
    path.lineTo(tip);
    path.lineTo(base - normal * headWidth / 2);
    path.lineTo(base - normal * shaftWidth / 2);
    path.lineTo(from - normal * shaftWidth / 2);
    path.closeSubpath();
    return path;
}

const QColor folderEdge(0x9a, 0x6a, 0x12);

// A closed folder filling the box (x, y, w, h); the tab rises from the top-left corner.
void closedFolder(QPainter& p, qreal x, qreal y, qreal w, qreal h)
{
    QPainterPath back(QPointF(x, y + h));
    back.lineTo(x, y);
    back.lineTo(x + w * 0.38, y);
    back.lineTo(x + w * 0.38 + 1.5, y + 1.5);
    back.lineTo(x + w, y + 1.5);
    back.lineTo(x + w, y + h);
    back.closeSubpath();
    fill(p, back, QColor(0xe0, 0xa8, 0x2e), outline(folderEdge));

    QPainterPath front;
    front.addRect(QRectF(x, y + 3, w, h - 3));
    fill(p, front, vertical(y + 3, y + h, QColor(0xff, 0xe6, 0x8c), QColor(0xf2, 0xb8, 0x36)), outline(folderEdge));
}

void clipboardBoard(QPainter& p, qreal left, qreal right)
{
    QPainterPath board;
    board.addRoundedRect(QRectF(left, 2.5, right - left, 12.5), 1.2, 1.2);
    fill(p, board, vertical(2.5, 15, QColor(0xc8, 0x8a, 0x4a), QColor(0x8a, 0x55, 0x26)),
         outline(QColor(0x5a, 0x34, 0x12)));
}

void clipboardClip(QPainter& p, qreal centre)
{
    QPainterPath clip;
    clip.addRoundedRect(QRectF(centre - 2.5, 1.0, 5, 3), 0.8, 0.8);
    fill(p, clip, vertical(1, 4, QColor(0xf0, 0xf2, 0xf5), QColor(0x9a, 0xa3, 0xad)),
         outline(QColor(0x4d, 0x55, 0x5e), 0.8));
}

void sheet(QPainter& p, const QRectF& r, bool lines)
{
    QPainterPath page;
    page.addRect(r);
    fill(p, page, QColor(0xfd, 0xfd, 0xfd), outline(QColor(0x7a, 0x80, 0x88), 0.8));
    if (!lines)
        return;
    p.setPen(QPen(QColor(0x9a, 0xb0, 0xc8), 0.8));
    for (qreal y = r.top() + 2; y < r.bottom() - 1; y += 2)
        p.drawLine(QPointF(r.left() + 1.5, y), QPointF(r.right() - 1.5, y));
}

void redCross(QPainter& p, QPointF a, QPointF b, qreal width)
{
    QPainterPath cross = line(a, b);
    cross.moveTo(b.x(), a.y());
    cross.lineTo(a.x(), b.y());
    outlinedStroke(p, cross, QColor(0x8a, 0x10, 0x10), QColor(0xe5, 0x39, 0x35), width);
}

void padlock(QPainter& p, bool closed)
{
    const QRectF body = closed ? QRectF(2.5, 7.5, 11, 7) : QRectF(1.5, 7.5, 10, 7);
    QPainterPath shackle;
    if (closed) {
        shackle.moveTo(5, 7.5);
        shackle.lineTo(5, 5);
        shackle.arcTo(QRectF(5, 2, 6, 6), 180, -180);
        shackle.lineTo(11, 7.5);
    } else {
        shackle.moveTo(8.5, 7.5);
        shackle.lineTo(8.5, 4.5);
        shackle.arcTo(QRectF(8.5, 1.5, 5.5, 6), 180, -180);
        shackle.lineTo(14, 6);
    }
    outlinedStroke(p, shackle, QColor(0x50, 0x58, 0x62), QColor(0xc8, 0xcf, 0xd6), 1.4);

    QPainterPath box;
    box.addRoundedRect(body, 1.5, 1.5);
    if (closed)
        fill(p, box, vertical(body.top(), body.bottom(), QColor(0x7c, 0xd0, 0x5a), QColor(0x2e, 0x8b, 0x1e)),
             outline(QColor(0x1c, 0x5a, 0x10)));
    else
        fill(p, box, vertical(body.top(), body.bottom(), QColor(0xf0, 0x6a, 0x5e), QColor(0xb3, 0x26, 0x1e)),
             outline(QColor(0x74, 0x14, 0x0e)));

    const qreal cx = body.center().x();
    QPainterPath hole;
    hole.addEllipse(QPointF(cx, body.top() + 2.8), 1.1, 1.1);
    hole.addRect(QRectF(cx - 0.5, body.top() + 3, 1, 2.3));
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0x26, 0x1a, 0x10));
    p.drawPath(hole.simplified());
}

// A horizontal key, bow on the left, bit hanging below the tip.
QPainterPath keyPath()
{
    QPainterPath solid;
    solid.addEllipse(QPointF(4.5, 8), 3.4, 3.4);
    solid.addRect(QRectF(7, 7, 8, 2));
    solid.addRect(QRectF(11.3, 8, 1.4, 3.2));
    solid.addRect(QRectF(13.6, 8, 1.4, 4));
    QPainterPath hole;
    hole.addEllipse(QPointF(3.6, 8), 1.2, 1.2);
    return solid.simplified().subtracted(hole);
}

void key(QPainter& p)
{
    fill(p, keyPath(), vertical(4.5, 12, QColor(0xff, 0xe0, 0x7a), QColor(0xd0, 0x96, 0x14)),
         outline(QColor(0x7a, 0x56, 0x08), 0.8));
}

void paintAdd(QPainter& p)
{
    QPainterPath cross;
    cross.addRect(QRectF(5.5, 1.5, 5, 13));
    cross.addRect(QRectF(1.5, 5.5, 13, 5));
    fill(p, cross.simplified(), vertical(1.5, 14.5, QColor(0x8a, 0xdc, 0x5a), QColor(0x2a, 0x8a, 0x18)),
         outline(QColor(0x1a, 0x5e, 0x0e)));
}

void paintEdit(QPainter& p)
{
    p.save();
    p.translate(8, 8);
    p.rotate(-45);
    const QPen edge = outline(QColor(0x5a, 0x40, 0x10), 0.8);

    QPainterPath wood;
    wood.moveTo(-4.5, -2);
    wood.lineTo(-9, 0);
    wood.lineTo(-4.5, 2);
    wood.closeSubpath();
    fill(p, wood, QColor(0xf3, 0xd9, 0xa8), edge);
    QPainterPath lead;
    lead.moveTo(-9, 0);
    lead.lineTo(-7.3, -0.75);
    lead.lineTo(-7.3, 0.75);
    lead.closeSubpath();
    fill(p, lead, QColor(0x30, 0x30, 0x30), Qt::NoPen);

    QPainterPath body;
    body.addRect(QRectF(-4.5, -2, 10, 4));
    fill(p, body, vertical(-2, 2, QColor(0xff, 0xd8, 0x4a), QColor(0xe0, 0x90, 0x10)), edge);
    p.setPen(QPen(QColor(0xc0, 0x78, 0x08), 0.6));
    p.drawLine(QPointF(-4.2, 0.7), QPointF(5.2, 0.7));

    QPainterPath ferrule;
    ferrule.addRect(QRectF(5.5, -2, 1.4, 4));
    fill(p, ferrule, vertical(-2, 2, QColor(0xe8, 0xec, 0xf0), QColor(0x8a, 0x94, 0x9e)), edge);
    QPainterPath eraser;
    eraser.addRoundedRect(QRectF(6.9, -2, 2.1, 4), 0.8, 0.8);
    fill(p, eraser, QColor(0xf0, 0x8a, 0x9c), edge);
    p.restore();
}

void paintSave(QPainter& p)
{
    QPainterPath disk(QPointF(1.5, 1.5));
    disk.lineTo(12.5, 1.5);
    disk.lineTo(14.5, 3.5);
    disk.lineTo(14.5, 14.5);
    disk.lineTo(1.5, 14.5);
    disk.closeSubpath();
    fill(p, disk, vertical(1.5, 14.5, QColor(0x5a, 0x90, 0xe0), QColor(0x22, 0x48, 0x96)),
         outline(QColor(0x14, 0x2c, 0x5e)));

    QPainterPath shutter;
    shutter.addRect(QRectF(4.5, 1.5, 7, 4.5));
    fill(p, shutter, vertical(1.5, 6, QColor(0xf0, 0xf2, 0xf5), QColor(0xa8, 0xb0, 0xba)),
         outline(QColor(0x4d, 0x55, 0x5e), 0.8));
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0x22, 0x48, 0x96));
    p.drawRect(QRectF(8.6, 2.4, 1.6, 2.8));

    sheet(p, QRectF(3.5, 8.5, 9, 6), true);
}

void paintDelete(QPainter& p)
{
    redCross(p, QPointF(3.5, 3.5), QPointF(12.5, 12.5), 2.8);
}

void greenPlus(QPainter& p, QPointF centre, qreal arm)
{
    QPainterPath plus = line(centre - QPointF(arm, 0), centre + QPointF(arm, 0));
    plus.moveTo(centre - QPointF(0, arm));
    plus.lineTo(centre + QPointF(0, arm));
    outlinedStroke(p, plus, QColor(0x1a, 0x5e, 0x0e), QColor(0x5c, 0xc8, 0x3a), 1.6);
}

void paintAddStar(QPainter& p)
{
    star(p, QPointF(6.8, 9), 6.3, 2.6, QColor(0xff, 0xe8, 0x70), QColor(0xf0, 0xa0, 0x00), QColor(0xa0, 0x6c, 0x00));
    greenPlus(p, QPointF(12.6, 3.4), 2.3);
}

void paintDeleteStar(QPainter& p)
{
    star(p, QPointF(6.8, 9), 6.3, 2.6, QColor(0xe4, 0xdf, 0xc8), QColor(0xa8, 0xa0, 0x84), QColor(0x6e, 0x68, 0x58));
    outlinedStroke(p, line(QPointF(10.3, 3.4), QPointF(14.9, 3.4)), QColor(0x8a, 0x10, 0x10), QColor(0xe5, 0x39, 0x35),
                   1.6);
}

void paintMove(QPainter& p)
{
    closedFolder(p, 0.5, 5.5, 11, 9);
    fill(p, arrowPath(QPointF(5, 11.5), QPointF(15.2, 1.3), 2.4, 4.8, 6.4),
         vertical(1, 12, QColor(0x6a, 0xb0, 0xf8), QColor(0x1e, 0x5e, 0xc0)), outline(QColor(0x10, 0x38, 0x7a), 0.8));
}

void paintPaste(QPainter& p)
{
    clipboardBoard(p, 1.5, 11.5);
    clipboardClip(p, 6.5);
    QPainterPath page(QPointF(6.5, 6.5));
    page.lineTo(12, 6.5);
    page.lineTo(14.5, 9);
    page.lineTo(14.5, 15);
    page.lineTo(6.5, 15);
    page.closeSubpath();
    fill(p, page, QColor(0xfd, 0xfd, 0xfd), outline(QColor(0x60, 0x68, 0x72), 0.8));
    p.setPen(QPen(QColor(0x9a, 0xb0, 0xc8), 0.8));
    for (qreal y = 9.5; y < 14.5; y += 1.8)
        p.drawLine(QPointF(8, y), QPointF(13, y));
}

void paintGo(QPainter& p)
{
    fill(p, arrowPath(QPointF(1.5, 8), QPointF(15, 8), 5, 6.5, 12),
         vertical(2, 14, QColor(0x7c, 0xd8, 0x50), QColor(0x24, 0x88, 0x16)), outline(QColor(0x16, 0x56, 0x0c)));
}

void paintClearClipboard(QPainter& p)
{
    clipboardBoard(p, 2.5, 13.5);
    clipboardClip(p, 8);
    sheet(p, QRectF(4.5, 5.5, 7, 7.5), false);
    redCross(p, QPointF(9.3, 9.3), QPointF(14.3, 14.3), 1.6);
}

void paintHelp(QPainter& p)
{
    QRadialGradient blue(QPointF(6, 5), 9);
    blue.setColorAt(0, QColor(0x7a, 0xb8, 0xff));
    blue.setColorAt(1, QColor(0x16, 0x52, 0xb0));
    QPainterPath disc;
    disc.addEllipse(QPointF(8, 8), 6.8, 6.8);
    fill(p, disc, blue, outline(QColor(0x10, 0x36, 0x78)));

    const QRectF bend(5.7, 3.7, 4.6, 4.6);
    QPainterPath mark;
    mark.arcMoveTo(bend, 160);
    mark.arcTo(bend, 160, -250);
    mark.lineTo(8, 9.6);
    p.setBrush(Qt::NoBrush);
    p.setPen(outline(Qt::white, 2.0));
    p.drawPath(mark);
    p.setPen(Qt::NoPen);
    p.setBrush(Qt::white);
    p.drawEllipse(QPointF(8, 12.2), 1.15, 1.15);
}

void paintExit(QPainter& p)
{
    const QRectF ring(2.6, 3.1, 10.8, 10.8);
    QPainterPath power;
    power.arcMoveTo(ring, 115);
    power.arcTo(ring, 115, 310);
    power.moveTo(8, 1.8);
    power.lineTo(8, 8);
    outlinedStroke(p, power, QColor(0x8a, 0x10, 0x10), QColor(0xe5, 0x39, 0x35), 2.0);
}

void paintKeyIncomplete(QPainter& p)
{
    padlock(p, false);
}

void paintKeyComplete(QPainter& p)
{
    padlock(p, true);
}

void paintRoot(QPainter& p)
{
    QPainterPath cabinet;
    cabinet.addRoundedRect(QRectF(2.5, 1.5, 11, 13.5), 1, 1);
    fill(p, cabinet, vertical(1.5, 15, QColor(0xc8, 0xd0, 0xd8), QColor(0x7a, 0x86, 0x94)),
         outline(QColor(0x44, 0x4e, 0x5a)));
    for (int i = 0; i < 3; ++i) {
        const qreal top = 2.7 + i * 4.2;
        QPainterPath drawer;
        drawer.addRect(QRectF(3.7, top, 8.6, 3.4));
        fill(p, drawer, vertical(top, top + 3.4, QColor(0xee, 0xf1, 0xf4), QColor(0xb0, 0xba, 0xc4)),
             outline(QColor(0x5a, 0x64, 0x70), 0.6));
        // A folder tab peeking out of each drawer says what the cabinet holds.
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(0xf2, 0xb8, 0x36));
        p.drawRect(QRectF(4.6, top + 0.5, 2.2, 0.9));
        p.setBrush(QColor(0x44, 0x4e, 0x5a));
        p.drawRoundedRect(QRectF(6.8, top + 1.8, 2.4, 0.9), 0.4, 0.4);
    }
}

void paintCategory(QPainter& p)
{
    closedFolder(p, 1.5, 2.5, 13, 11);
}

void paintCurrentCategory(QPainter& p)
{
    QPainterPath back(QPointF(1.5, 13.5));
    back.lineTo(1.5, 2.5);
    back.lineTo(6, 2.5);
    back.lineTo(7.5, 4);
    back.lineTo(13, 4);
    back.lineTo(13, 13.5);
    back.closeSubpath();
    fill(p, back, QColor(0xe0, 0xa8, 0x2e), outline(folderEdge));
    sheet(p, QRectF(3.5, 5, 8.5, 6), false);

    QPainterPath front(QPointF(4.5, 7.5));
    front.lineTo(15.3, 7.5);
    front.lineTo(12.5, 13.5);
    front.lineTo(1.5, 13.5);
    front.closeSubpath();
    fill(p, front, vertical(7.5, 13.5, QColor(0xff, 0xea, 0x9a), QColor(0xf2, 0xb8, 0x36)), outline(folderEdge));
}

void checkBox(QPainter& p)
{
    QPainterPath box;
    box.addRoundedRect(QRectF(2.5, 2.5, 11, 11), 1.5, 1.5);
    fill(p, box, vertical(2.5, 13.5, QColor(0xff, 0xff, 0xff), QColor(0xdc, 0xe2, 0xe8)),
         outline(QColor(0x5e, 0x6a, 0x78)));
}

void paintNotAllChecked(QPainter& p)
{
    checkBox(p);
}

void paintAllChecked(QPainter& p)
{
    checkBox(p);
    QPainterPath tick(QPointF(4.8, 8.2));
    tick.lineTo(7, 10.6);
    tick.lineTo(11.4, 5.2);
    p.setBrush(Qt::NoBrush);
    p.setPen(outline(QColor(0x1a, 0x8a, 0x2a), 2.0));
    p.drawPath(tick);
}

void paintRank(QPainter& p)
{
    star(p, QPointF(8, 8.6), 5.6, 2.3, QColor(0xff, 0xe8, 0x70), QColor(0xf0, 0xa0, 0x00), QColor(0xa0, 0x6c, 0x00));
}

void sortTriangle(QPainter& p, bool up)
{
    const qreal flat = up ? 10.5 : 5.5, point = up ? 5 : 11;
    QPainterPath triangle(QPointF(4, flat));
    triangle.lineTo(12, flat);
    triangle.lineTo(8, point);
    triangle.closeSubpath();
    fill(p, triangle, vertical(5, 11, QColor(0x8e, 0x9a, 0xa8), QColor(0x4a, 0x55, 0x62)),
         outline(QColor(0x36, 0x40, 0x4c), 0.8));
}

void paintSortAscending(QPainter& p)
{
    sortTriangle(p, true);
}

void paintSortDescending(QPainter& p)
{
    sortTriangle(p, false);
}

void paintSite(QPainter& p)
{
    QRadialGradient sea(QPointF(6, 5.5), 8.5);
    sea.setColorAt(0, QColor(0x9a, 0xd6, 0xff));
    sea.setColorAt(1, QColor(0x22, 0x6c, 0xc4));
    QPainterPath globe;
    globe.addEllipse(QPointF(8, 8), 6.5, 6.5);
    fill(p, globe, sea, Qt::NoPen);

    p.save();
    p.setClipPath(globe);
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(QColor(255, 255, 255, 200), 0.7));
    p.drawEllipse(QPointF(8, 8), 2.8, 6.5);
    p.drawLine(QPointF(8, 1), QPointF(8, 15));
    p.drawLine(QPointF(1, 8), QPointF(15, 8));
    p.drawLine(QPointF(1, 4.8), QPointF(15, 4.8));
    p.drawLine(QPointF(1, 11.2), QPointF(15, 11.2));
    p.restore();

    fill(p, globe, Qt::NoBrush, outline(QColor(0x14, 0x48, 0x88)));
}

void paintPassword(QPainter& p)
{
    key(p);
}

Paint painterFor(int index)
{
    using namespace img1616;
    switch (index) {
    case Add:
        return paintAdd;
    case Edit:
        return paintEdit;
    case Save:
        return paintSave;
    case Delete:
        return paintDelete;
    case AddStar:
        return paintAddStar;
    case DeleteStar:
        return paintDeleteStar;
    case Move:
        return paintMove;
    case Paste:
        return paintPaste;
    case Go:
        return paintGo;
    case ClearClipboard:
        return paintClearClipboard;
    case Help:
        return paintHelp;
    case Exit:
        return paintExit;
    case KeyIncomplete:
        return paintKeyIncomplete;
    case KeyComplete:
        return paintKeyComplete;
    case Root:
        return paintRoot;
    case Category:
        return paintCategory;
    case CurrentCategory:
        return paintCurrentCategory;
    case NotAllChecked:
        return paintNotAllChecked;
    case AllChecked:
        return paintAllChecked;
    case Rank:
        return paintRank;
    case SortAscending:
        return paintSortAscending;
    case SortDescending:
        return paintSortDescending;
    case Site:
        return paintSite;
    case Password:
        return paintPassword;
    default:
        return nullptr;
    }
}

// The program's icon is drawn in a 32-unit square: at 48 and 64 px a 16-unit drawing would look coarse.
void paintWindowIcon(QPainter& p)
{
    QPainterPath shield(QPointF(16, 1.5));
    shield.lineTo(28.5, 5.5);
    shield.lineTo(28.5, 15);
    shield.cubicTo(28.5, 23, 22.5, 28, 16, 30.5);
    shield.cubicTo(9.5, 28, 3.5, 23, 3.5, 15);
    shield.lineTo(3.5, 5.5);
    shield.closeSubpath();
    fill(p, shield, vertical(1.5, 30.5, QColor(0x4a, 0x8c, 0xe8), QColor(0x14, 0x3a, 0x80)),
         outline(QColor(0x0c, 0x26, 0x58), 1.2));

    QPainterPath inner(QPointF(16, 4));
    inner.lineTo(26.2, 7.3);
    inner.lineTo(26.2, 15);
    inner.cubicTo(26.2, 21.6, 21.4, 25.8, 16, 28);
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(QColor(255, 255, 255, 90), 1.0));
    p.drawPath(inner);

    p.save();
    p.translate(16, 16.5);
    p.rotate(-45);
    p.scale(1.5, 1.5);
    p.translate(-8, -8);
    fill(p, keyPath(), vertical(4.5, 12, QColor(0xff, 0xe6, 0x80), QColor(0xd8, 0x98, 0x10)),
         outline(QColor(0x5a, 0x3c, 0x04), 0.7));
    p.restore();
}

QPixmap render(Paint paint, qreal designSize, int pixels)
{
    QPixmap pixmap(pixels, pixels);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.scale(pixels / designSize, pixels / designSize);
    paint(painter);
    return pixmap;
}

// Pixmaps may only be made on the GUI thread, which is also what makes the unguarded caches safe.
void assertGuiThread()
{
    Q_ASSERT(QCoreApplication::instance() && QThread::currentThread() == QCoreApplication::instance()->thread());
}

} // namespace

QIcon img1616::picture(int index)
{
    constexpr int count = Password + 1;
    if (index <= None || index >= count)
        return {};
    const Paint paint = painterFor(index);
    if (!paint)
        return {};
    assertGuiThread();
    static std::array<QIcon, count> cache;
    QIcon& icon = cache[index];
    if (icon.isNull()) {
        icon.addPixmap(render(paint, 16, 16));
        icon.addPixmap(render(paint, 16, 32));
    }
    return icon;
}

QImage img1616::windowIconImage(int pixels)
{
    QImage image(pixels, pixels, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.scale(pixels / 32.0, pixels / 32.0);
    paintWindowIcon(painter);
    return image;
}

QIcon img1616::windowIcon()
{
    assertGuiThread();
    static QIcon icon;
    if (icon.isNull()) {
        for (int pixels : {16, 32, 48, 64})
            icon.addPixmap(QPixmap::fromImage(windowIconImage(pixels)));
    }
    return icon;
}
