#include "window/PanelDrag.h"

#include "platform/Twips.h"
#include "window/Layout.h"
#include "window/frmMain.h"

#include <QFrame>
#include <QLabel>
#include <QMouseEvent>

namespace {

// VB-style button mask: 1 left, 2 right, 4 middle.
int buttonMask(Qt::MouseButtons buttons)
{
    return (buttons & Qt::LeftButton ? 1 : 0) | (buttons & Qt::RightButton ? 2 : 0) |
           (buttons & Qt::MiddleButton ? 4 : 0);
}

} // namespace

PanelDrag::PanelDrag(frmMain& form) : QObject(nullptr), f(form)
{
    QList<QWidget*> handles{f.SSPanel1, f.SSPanel4, f.Label1, f.lblPL};
    for (QLabel* caption : f.SSPanel5)
        handles << caption;
    for (QWidget* handle : handles)
        handle->installEventFilter(this);
}

bool PanelDrag::eventFilter(QObject* watched, QEvent* event)
{
    const QEvent::Type type = event->type();
    if (type != QEvent::MouseButtonPress && type != QEvent::MouseMove && type != QEvent::MouseButtonRelease)
        return false;
    Q_UNUSED(watched);
    auto* mouse = static_cast<QMouseEvent*>(event);
    const float X = float(mouse->position().x() * twips::PerPixel);
    const float Y = float(mouse->position().y() * twips::PerPixel);
    if (type == QEvent::MouseButtonPress)
        MosDwn(buttonMask(mouse->button()), X, Y);
    else if (type == QEvent::MouseMove)
        MosMov(buttonMask(mouse->buttons()), X, Y);
    else
        MosUp(buttonMask(mouse->button()), X, Y);
    return true;
}

void PanelDrag::MosDwn(int Button, float X, float Y)
{
    if (Button != 1)
        return;
    DragX = X;
    DragY = Y;
    f.SSPanel1->setCursor(Qt::SizeAllCursor);
}

void PanelDrag::MosMov(int Button, float X, float Y)
{
    if (Button != 1)
        return;
    moveBy(X, Y);
}

void PanelDrag::MosUp(int Button, float X, float Y)
{
    if (Button != 1)
        return;
    moveBy(X, Y);
    f.SSPanel1->unsetCursor();
}

void PanelDrag::moveBy(float X, float Y)
{
    const QRect panel = twips::fromPixels(f.SSPanel1->geometry());
    const QPoint to = layout::dragPanel(panel, qRound(X - DragX), qRound(Y - DragY), f.outerWidth(), f.outerHeight());
    f.SSPanel1->move(twips::toPixels(to.x()), twips::toPixels(to.y()));
}
