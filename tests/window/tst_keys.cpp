#include "edit/EditPanel.h"
#include "support/Fixture.h"
#include "support/TestMain.h"

#include "window/KeyRouter.h"
#include "platform/Twips.h"

#include <QFrame>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTreeView>

Q_DECLARE_METATYPE(KeyRouter::Command)

class TestKeys : public QObject {
    Q_OBJECT

private slots:
    // A sequence of key events, "+" down and "-" up, "*" for an automatic repeat, then the modifiers held:
    // "+D/C -D*/C" is D going down under Ctrl, then a repeat of its release.
    void commandFor_data()
    {
        using C = KeyRouter::Command;
        QTest::addColumn<QString>("keys");
        QTest::addColumn<KeyRouter::Command>("command"); // asked for by the last event
        QTest::newRow("Ctrl+A down") << "+A/C" << C::Add;
        QTest::newRow("Ctrl+E down") << "+E/C" << C::Edit;
        QTest::newRow("Ctrl+S down") << "+S/C" << C::Save;
        QTest::newRow("Ctrl+S up") << "+S/C -S/C" << C::None;
        QTest::newRow("Ctrl+D down") << "+D/C" << C::None;
        QTest::newRow("Ctrl+D up") << "+D/C -D/C" << C::Delete;
        QTest::newRow("Ctrl+D held") << "+D/C -D*/C" << C::None;
        QTest::newRow("Ctrl+D up after a hold") << "+D/C -D*/C +D*/C -D/C" << C::Delete;
        QTest::newRow("quick release, modifiers gone") << "+D/C -D" << C::Delete;
        QTest::newRow("Ctrl up first") << "+D/C -Ctrl -D" << C::Delete;
        QTest::newRow("D down without Ctrl") << "+D -D/C" << C::None;
        QTest::newRow("Ctrl+Shift+D") << "+D/CS -D/CS" << C::None;
        QTest::newRow("another key between") << "+D/C +X/C -D/C" << C::None;
        QTest::newRow("Ctrl+Shift+S") << "+S/CS" << C::None;
        QTest::newRow("Alt+S") << "+S/A" << C::None;
        QTest::newRow("Ctrl+Alt+A") << "+A/CA" << C::None;
        QTest::newRow("plain S") << "+S" << C::None;
        QTest::newRow("Ctrl+X") << "+X/C" << C::None;
    }

    void commandFor()
    {
        QFETCH(QString, keys);
        QFETCH(KeyRouter::Command, command);
        bool deleteDown = false;
        KeyRouter::Command last = KeyRouter::Command::None;
        for (const QString& token : keys.split(u' ')) {
            const QStringList parts = token.mid(1).split(u'/');
            QString name = parts[0];
            const bool repeat = name.endsWith(u'*');
            if (repeat)
                name.chop(1);
            const QString held = parts.value(1);
            Qt::KeyboardModifiers modifiers;
            if (held.contains(u'C'))
                modifiers |= Qt::ControlModifier;
            if (held.contains(u'S'))
                modifiers |= Qt::ShiftModifier;
            if (held.contains(u'A'))
                modifiers |= Qt::AltModifier;
            const int key = name == u"Ctrl" ? int(Qt::Key_Control) : int(Qt::Key_A + (name[0].unicode() - u'A'));
            const QKeyEvent event(token[0] == u'+' ? QEvent::KeyPress : QEvent::KeyRelease, key, modifiers,
                                  QString(), repeat);
            last = KeyRouter::commandFor(event, deleteDown);
        }
        QCOMPARE(last, command);
    }

    void escHidesAShownPanelFromAnyControl()
    {
        Fixture fx;
        frmMain& w = fx.open();
        w.panel->show();
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
        w.panel->show();
        w.SSPanel1->move(twips::toPixels(360), twips::toPixels(2280));
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
