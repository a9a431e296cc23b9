#include "support/Fixture.h"
#include "support/TestMain.h"

#include "window/KeyRouter.h"
#include "window/Twips.h"

#include <QFrame>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTreeWidget>

Q_DECLARE_METATYPE(KeyRouter::Command)

class TestKeys : public QObject {
    Q_OBJECT

private slots:
    void commandFor_data()
    {
        using C = KeyRouter::Command;
        QTest::addColumn<int>("type");
        QTest::addColumn<int>("key");
        QTest::addColumn<int>("modifiers");
        QTest::addColumn<bool>("autoRepeat");
        QTest::addColumn<KeyRouter::Command>("command");
        const int down = QEvent::KeyPress, up = QEvent::KeyRelease;
        const int ctrl = Qt::ControlModifier;
        QTest::newRow("Ctrl+A down") << down << int(Qt::Key_A) << ctrl << false << C::Add;
        QTest::newRow("Ctrl+E down") << down << int(Qt::Key_E) << ctrl << false << C::Edit;
        QTest::newRow("Ctrl+S down") << down << int(Qt::Key_S) << ctrl << false << C::Save;
        QTest::newRow("Ctrl+S up") << up << int(Qt::Key_S) << ctrl << false << C::None;
        QTest::newRow("Ctrl+D down") << down << int(Qt::Key_D) << ctrl << false << C::None;
        QTest::newRow("Ctrl+D held") << up << int(Qt::Key_D) << ctrl << true << C::None;
        QTest::newRow("Ctrl+D up") << up << int(Qt::Key_D) << ctrl << false << C::Delete;
        QTest::newRow("Ctrl+Shift+S") << down << int(Qt::Key_S) << int(Qt::ControlModifier | Qt::ShiftModifier)
                                      << false << C::None;
        QTest::newRow("Alt+S") << down << int(Qt::Key_S) << int(Qt::AltModifier) << false << C::None;
        QTest::newRow("Ctrl+Alt+A") << down << int(Qt::Key_A) << int(Qt::ControlModifier | Qt::AltModifier) << false
                                    << C::None;
        QTest::newRow("plain S") << down << int(Qt::Key_S) << 0 << false << C::None;
        QTest::newRow("Ctrl+X") << down << int(Qt::Key_X) << ctrl << false << C::None;
    }

    void commandFor()
    {
        QFETCH(int, type);
        QFETCH(int, key);
        QFETCH(int, modifiers);
        QFETCH(bool, autoRepeat);
        QFETCH(KeyRouter::Command, command);
        const QKeyEvent event(QEvent::Type(type), key, Qt::KeyboardModifiers(modifiers), QString(), autoRepeat);
        QCOMPARE(KeyRouter::commandFor(event), command);
    }

    void escHidesAShownPanelFromAnyControl()
    {
        Fixture fx;
        frmMain& w = fx.open();
        w.SSPanel1->show();
        w.cmdCheck->setFocus();
        QTest::keyClick(w.cmdCheck, Qt::Key_Escape);
        QVERIFY(!w.SSPanel1->isVisible());
        // Hidden already: nothing else happens.
        QTest::keyClick(w.cmdCheck, Qt::Key_Escape);
        QVERIFY(!w.SSPanel1->isVisible());
    }

    void shortcutKeysNeverReachTheTextBoxes()
    {
        Fixture fx;
        frmMain& w = fx.open();
        w.txtNormal->setFocus();
        w.txtNormal->setText(QStringLiteral("abc"));
        w.txtNormal->setCursorPosition(0);
        QTest::keyClick(w.txtNormal, Qt::Key_D, Qt::ControlModifier); // a line edit deletes a character on Ctrl+D
        QTest::keyClick(w.txtNormal, Qt::Key_A, Qt::ControlModifier); // and selects all on Ctrl+A
        QCOMPARE(w.txtNormal->text(), QStringLiteral("abc"));
        QVERIFY(!w.txtNormal->hasSelectedText());
    }

    void dragMovesThePanelWithTheLeftButtonOnly_data()
    {
        QTest::addColumn<int>("button");
        QTest::addColumn<int>("dx");
        QTest::addColumn<int>("dy");
        QTest::addColumn<QString>("expected"); // left,top in twips, or "same"
        QTest::newRow("left, inside") << 1 << 150 << 300 << "510,2580";
        QTest::newRow("right button") << 2 << 150 << 300 << "same";
        QTest::newRow("past the left and top") << 1 << -5000 << -5000 << "0,0";
        // W - width - 140 = 9555 - 8790 - 140; H - height - 420 = 6930 - 2565 - 420.
        QTest::newRow("past the right and bottom") << 1 << 5000 << 5000 << "630,3945";
    }

    void dragMovesThePanelWithTheLeftButtonOnly()
    {
        QFETCH(int, button);
        QFETCH(int, dx);
        QFETCH(int, dy);
        QFETCH(QString, expected);
        Fixture fx;
        frmMain& w = fx.open();
        w.SSPanel1->move(twips::toPixels(360), twips::toPixels(2280));
        w.SSPanel1->show();
        const QPoint before = w.SSPanel1->pos();
        {
            QPoint start(twips::toPixels(600), twips::toPixels(120));
            const Qt::MouseButtons buttons = (button & 1 ? Qt::LeftButton : Qt::NoButton) |
                                             (button & 2 ? Qt::RightButton : Qt::NoButton);
            const Qt::MouseButton pressed = button & 1 ? Qt::LeftButton : Qt::RightButton;
            QMouseEvent press(QEvent::MouseButtonPress, start, w.SSPanel4->mapToGlobal(start), pressed, buttons, {});
            QApplication::sendEvent(w.SSPanel4, &press);
            const QPoint to = start + QPoint(twips::toPixels(dx), twips::toPixels(dy));
            QMouseEvent move(QEvent::MouseMove, to, w.SSPanel4->mapToGlobal(to), Qt::NoButton, buttons, {});
            QApplication::sendEvent(w.SSPanel4, &move);
            const QPoint here = to - (w.SSPanel1->pos() - before); // the panel moved under the pointer
            QMouseEvent release(QEvent::MouseButtonRelease, here, w.SSPanel4->mapToGlobal(here), pressed,
                                Qt::NoButton, {});
            QApplication::sendEvent(w.SSPanel4, &release);
        }
        if (expected == QLatin1String("same")) {
            QCOMPARE(w.SSPanel1->pos(), before);
        } else {
            const QStringList xy = expected.split(QLatin1Char(','));
            QCOMPARE(w.SSPanel1->pos(), QPoint(twips::toPixels(xy[0].toInt()), twips::toPixels(xy[1].toInt())));
        }
    }

    void theLayoutFollowsTheWindowsSize()
    {
        Fixture fx;
        frmMain& w = fx.open();
        const int treeWidth = w.tvCategories->width();
        const int sites = w.lvURLs->width();
        const int passwordsTop = w.lvPasswords->y();
        w.resize(w.width() + twips::toPixels(1005), w.height() + twips::toPixels(1005));
        QTRY_COMPARE(w.lvURLs->width(), sites + twips::toPixels(1005));
        QCOMPARE(w.tvCategories->width(), treeWidth);
        QVERIFY(w.lvPasswords->y() > passwordsTop);
        QCOMPARE(w.lvPasswords->height(), twips::toPixels(1365));

        // Below the minimum the window springs back.
        w.resize(100, 100);
        QTRY_VERIFY(w.width() >= twips::toPixels(9435) && w.height() >= twips::toPixels(6525));
    }
};

DORVU_TEST_MAIN(TestKeys)
#include "tst_keys.moc"
