#pragma once

#include <QObject>

class frmMain;
class QMouseEvent;
class QWidget;

// Dragging the edit panel by its caption panels and labels (MosDwn, MosMov, MosUp), left button only.
class PanelDrag : public QObject {
    Q_OBJECT

public:
    explicit PanelDrag(frmMain& form);

    // Button is the event's button mask (1 = left); X and Y are twips in the receiving control's coordinates.
    void MosDwn(int Button, float X, float Y);
    void MosMov(int Button, float X, float Y);
    void MosUp(int Button, float X, float Y);

    // The pointer position at which the current drag began.
    float DragX = 0;
    float DragY = 0;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void moveBy(float X, float Y);

    frmMain& f;
};
