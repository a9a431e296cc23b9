#include "cipher/CryptText.h"
#include "platform/Pictures.h"
#include "support/Fixture.h"
#include "support/TestMain.h"
#include "views/ViewItems.h"

#include <QClipboard>
#include <QContextMenuEvent>
#include <QDialog>
#include <QDir>
#include <QFile>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QSignalSpy>
#include <QTreeView>
#include <QVBoxLayout>
#include <algorithm>

namespace {

// The right key and one that differs from it in its last digit only (which moves position 6 of every block).
const QString Key = QStringLiteral("352416");
const QString Mistyped = QStringLiteral("352415");
const QString Placeholder = QStringLiteral("Normal text here !");

QString enc(const QString& text)
{
    return CryptText(CryptMode::Enc, Key, text);
}

void typeKey(frmMain& w, const QString& text)
{
    QTest::mouseClick(w.txtPass, Qt::LeftButton);
    QTest::keyClicks(w.txtPass, text);
}

// The indicator as colour value, picture index and the caption's drawn colour.
QString indicator(const frmMain& w)
{
    return QStringLiteral("%1 %2 %3")
        .arg(w.SSPanel2->property("ForeColor").toInt())
        .arg(w.Image1->property("pictureIndex").toInt())
        .arg(w.SSPanel2->palette().color(QPalette::WindowText).name());
}

const QString Red = QStringLiteral("255 %1 #ff0000").arg(img1616::KeyIncomplete);
const QString Green = QStringLiteral("32768 %1 #008000").arg(img1616::KeyComplete);

} // namespace

class TestUnlockKey : public QObject {
    Q_OBJECT

private slots:
    // Entered after "12", with the plain box marked.
    // Pasted text is filtered before the box's six-character limit cuts it.
    void onlyDigitsReachTheBox_data()
    {
        QTest::addColumn<QString>("how");
        QTest::addColumn<QString>("entered");
        QTest::addColumn<QString>("shown");
        QTest::newRow("letters") << "typed" << "abcXYZ" << "12";
        QTest::newRow("spaces") << "typed" << "   " << "12";
        QTest::newRow("punctuation") << "typed" << ".-,!\"*+" << "12";
        QTest::newRow("other digits") << "typed" << "\u0661\uff12" << "12"; // Arabic-Indic one, full-width two
        QTest::newRow("digits among others") << "typed" << "3a 4." << "1234";
        QTest::newRow("a seventh digit") << "typed" << "34567" << "123456";
        QTest::newRow("pasted with Ctrl+V") << "Ctrl+V" << "3a4b5c6d7" << "123456";
        QTest::newRow("pasted from the menu") << "menu" << "3a4b5c6d7" << "123456";
        QTest::newRow("nothing to paste") << "Ctrl+V" << "abc" << "12";
    }

    void onlyDigitsReachTheBox()
    {
        QFETCH(QString, how);
        QFETCH(QString, entered);
        QFETCH(QString, shown);
        Fixture fx;
        frmMain& w = fx.open();
        typeKey(w, QStringLiteral("12"));
        w.txtNormal->setText(QStringLiteral("mark"));
        QGuiApplication::clipboard()->setText(entered);
        if (how == u"Ctrl+V") {
            QTest::keyClick(w.txtPass, Qt::Key_V, Qt::ControlModifier);
        } else if (how == u"menu") {
            QContextMenuEvent event(QContextMenuEvent::Mouse, QPoint(2, 2), w.txtPass->mapToGlobal(QPoint(2, 2)));
            QCoreApplication::sendEvent(w.txtPass, &event);
            QTRY_VERIFY(qobject_cast<QMenu*>(QApplication::activePopupWidget()));
            auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
            const QList<QAction*> actions = menu->actions();
            const auto paste = std::find_if(actions.begin(), actions.end(),
                                            [](QAction* a) { return a->text().startsWith(QStringLiteral("&Paste")); });
            QVERIFY(paste != actions.end());
            (*paste)->trigger();
            menu->close();
        } else {
            for (const QChar c : entered) { // QTest::keyClicks takes Latin-1 only
                QKeyEvent press(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, QString(c));
                QCoreApplication::sendEvent(w.txtPass, &press);
            }
        }
        QCOMPARE(w.txtPass->text(), shown);
        if (shown == u"12") // nothing changed the key, so the incomplete-key steps did not run again
            QCOMPARE(w.txtNormal->text(), QStringLiteral("mark"));
    }

    void anIncompleteKeyTurnsRedAndHoldsTheFocus()
    {
        Fixture fx;
        fx.addCategory(1, QStringLiteral("Banks"), 1, 0);
        fx.addSite(1, 1, QStringLiteral("Alpha"));
        frmMain& w = fx.open();
        QCOMPARE(indicator(w), Red);
        fx.clickNode(QStringLiteral("Banks"));
        QCoreApplication::processEvents();
        QCOMPARE(QApplication::focusWidget(), w.tvCategories); // no hold before the key's first change

        typeKey(w, Key);
        QCOMPARE(indicator(w), Green);
        w.txtNormal->setText(QStringLiteral("sentence"));
        QTest::keyClick(w.txtPass, Qt::Key_Backspace);
        QCOMPARE(indicator(w), Red);
        QCOMPARE(w.txtNormal->text(), Placeholder);

        // The clicked control gets its click, then the focus goes back, and stays.
        fx.clickRow(w.lvURLs, 0);
        QCOMPARE(w.lblSiteCode->text(), QStringLiteral("1"));
        QTRY_COMPARE(QApplication::focusWidget(), w.txtPass);
        QSignalSpy moves(qApp, &QApplication::focusChanged);
        QCoreApplication::processEvents();
        QCOMPARE(moves.count(), 0);

        // A dialog keeps its focus; once it closes, the key box has it again.
        QDialog dialog(&w);
        auto* edit = new QLineEdit(&dialog);
        (new QVBoxLayout(&dialog))->addWidget(edit);
        dialog.open();
        QVERIFY(QTest::qWaitForWindowActive(&dialog));
        edit->setFocus();
        QCoreApplication::processEvents();
        QCOMPARE(QApplication::focusWidget(), edit);
        dialog.close();
        w.activateWindow();
        QTRY_COMPARE(QApplication::focusWidget(), w.txtPass);

        QTest::keyClicks(w.txtPass, QStringLiteral("6")); // complete again: the hold ends
        w.tvCategories->setFocus();
        QCoreApplication::processEvents();
        QCOMPARE(QApplication::focusWidget(), w.tvCategories);
    }

    void theCheckFileIsDecipheredUnderTheKey_data()
    {
        const QString sentence = QStringLiteral("The quick, brown fox");
        const QByteArray e = enc(sentence).toUtf8();
        // The file's rule drops surrounding spaces and ends fields at commas: only the quoted form keeps it whole.
        QVERIFY(e.trimmed() == e && e.contains(','));
        QTest::addColumn<QByteArray>("content"); // or none, or a folder: there, but unreadable even for root
        QTest::addColumn<QString>("shown");
        QTest::addColumn<int>("messages");
        QTest::newRow("fields, lines, quotes, spaces")
            << ("a,\"b, c\"\r\nd, e ,f,  \"" + e + "\"  \r\n") << sentence << 0;
        QTest::newRow("empty file") << QByteArray("") << QString() << 0;
        QTest::newRow("missing file") << QByteArray("<none>") << Placeholder << 0;
        QTest::newRow("unreadable file") << QByteArray("<folder>") << Placeholder << 1;
    }

    void theCheckFileIsDecipheredUnderTheKey()
    {
        QFETCH(QByteArray, content);
        QFETCH(QString, shown);
        QFETCH(int, messages);
        Fixture fx;
        QFile file(QDir(fx.folder()).filePath(QStringLiteral("key.chk")));
        if (content == "<folder>")
            QVERIFY(QDir(fx.folder()).mkdir(QStringLiteral("key.chk")));
        else if (content != "<none>")
            QVERIFY(file.open(QIODevice::WriteOnly) && file.write(content) == content.size());
        file.close();
        frmMain& w = fx.open();
        typeKey(w, Key);
        QCOMPARE(w.txtNormal->text(), shown);
        QCOMPARE(fx.prompter.shown.size(), messages);
        if (messages)
            QVERIFY2(fx.prompter.texts()[0].contains(QStringLiteral("key.chk")), qPrintable(fx.prompter.texts()[0]));
        QCOMPARE(indicator(w), Green); // the rest of the steps still run
    }

    // A site is current while the key is mistyped; fixing its last digit reloads the site's passwords.
    void completingTheKeyReloadsTheCurrentSitesPasswords_data()
    {
        QTest::addColumn<bool>("entryClicked");
        QTest::newRow("passwords list current: the entry is selected again") << true;
        QTest::newRow("sites list current: no entry selected") << false;
    }

    void completingTheKeyReloadsTheCurrentSitesPasswords()
    {
        QFETCH(bool, entryClicked);
        Fixture fx;
        fx.addCategory(1, QStringLiteral("Banks"), 1, 0);
        fx.addSite(1, 1, QStringLiteral("Alpha"));
        fx.addPassword(1, 1, 1, QStringLiteral("ann"), enc(QStringLiteral("secret1")));
        fx.addPassword(1, 1, 2, QStringLiteral("bob"), enc(QStringLiteral("hunter22")));
        frmMain& w = fx.open();
        typeKey(w, Mistyped);
        fx.clickNode(QStringLiteral("Banks"));
        fx.clickRow(w.lvURLs, 0);
        const auto bob = [&] { return list::rowWith(w.lvPasswords, 0, QStringLiteral("bob")); };
        if (entryClicked)
            fx.clickRow(w.lvPasswords, bob());
        QVERIFY(fx.clipboard.text != QStringLiteral("hunter22")); // deciphered under the wrong key, if at all

        QTest::mouseClick(w.txtPass, Qt::LeftButton);
        w.txtPass->end(false);
        QTest::keyClick(w.txtPass, Qt::Key_Backspace);
        QTest::keyClicks(w.txtPass, Key.right(1));
        QStringList passwords;
        for (int i = 0; i < list::rows(w.lvPasswords); ++i)
            passwords << list::password(w.lvPasswords, i);
        passwords.sort();
        QCOMPARE(passwords, QStringList({"hunter22", "secret1"}));
        QCOMPARE(list::selected(w.lvPasswords), entryClicked ? bob() : -1);
        const QString entered = entryClicked ? QStringLiteral("hunter22") : QString();
        QCOMPARE(fx.clipboard.text, entered);
        QCOMPARE(w.txtPassword->text(), entered);
        QCOMPARE(QApplication::focusWidget(), entryClicked ? static_cast<QWidget*>(w.lvPasswords) : w.lvURLs);
    }
};

DORVU_TEST_MAIN(TestUnlockKey)
#include "tst_unlockkey.moc"
