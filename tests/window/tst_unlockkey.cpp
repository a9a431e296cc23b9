#include "support/Fixture.h"
#include "support/TestMain.h"

#include "cipher/CryptText.h"
#include "platform/Pictures.h"
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
#include <QTreeWidget>
#include <QVBoxLayout>

#include <algorithm>

namespace {

// The right key and one that differs from it in its last digit only (which moves position 6 of every block).
const QString Key = QStringLiteral("352416");
const QString Mistyped = QStringLiteral("352415");
const QString Placeholder = QStringLiteral("Normal text here !");

QString enc(const QString& text, const QString& key = Key)
{
    return CryptText(CryptMode::Enc, key, text);
}

// Banks holds Alpha, with two entries enciphered under Key, and Beta, without any.
void seed(Fixture& fx)
{
    fx.addCategory(1, QStringLiteral("Banks"), 1, 0);
    fx.addSite(1, 1, QStringLiteral("Alpha"), QStringLiteral("https://alpha.example"));
    fx.addSite(1, 2, QStringLiteral("Beta"), QStringLiteral("https://beta.example"));
    fx.addPassword(1, 1, 1, QStringLiteral("ann"), enc(QStringLiteral("secret1")));
    fx.addPassword(1, 1, 2, QStringLiteral("bob"), enc(QStringLiteral("hunter22")));
}

// Types each character as a keystroke carrying that text (QTest::keyClicks takes Latin-1 only).
void typeText(QWidget* widget, const QString& text)
{
    for (const QChar c : text) {
        QKeyEvent press(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, QString(c));
        QKeyEvent release(QEvent::KeyRelease, Qt::Key_unknown, Qt::NoModifier, QString(c));
        QCoreApplication::sendEvent(widget, &press);
        QCoreApplication::sendEvent(widget, &release);
    }
}

void typeKey(frmMain& w, const QString& text)
{
    QTest::mouseClick(w.txtPass, Qt::LeftButton);
    QTest::keyClicks(w.txtPass, text);
}

// Overtypes the key's last digit, as a user correcting a typo does.
void fixLastDigit(frmMain& w, QChar digit)
{
    QTest::mouseClick(w.txtPass, Qt::LeftButton);
    w.txtPass->end(false);
    QTest::keyClick(w.txtPass, Qt::Key_Backspace);
    QTest::keyClicks(w.txtPass, QString(digit));
}

int rowOf(const QTreeWidget* list, int column, const QString& text)
{
    for (int i = 0; i < list->topLevelItemCount(); ++i) {
        if (list->topLevelItem(i)->text(column) == text)
            return i;
    }
    return -1;
}

int indicatorColour(const frmMain& w)
{
    return w.SSPanel2->property("ForeColor").toInt();
}

int indicatorPicture(const frmMain& w)
{
    return w.Image1->property("pictureIndex").toInt();
}

QString sorted(QString text)
{
    std::sort(text.begin(), text.end());
    return text;
}

void writeFile(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    QCOMPARE(file.write(bytes), bytes.size());
}

} // namespace

class TestUnlockKey : public QObject {
    Q_OBJECT

private slots:
    void onlyDigitsReachTheBox_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("shown");
        QTest::newRow("letters") << "abcXYZ"
                                 << "";
        QTest::newRow("letters between digits") << "1a2b"
                                                << "12";
        QTest::newRow("spaces") << " 1 2 "
                                << "12";
        QTest::newRow("punctuation") << "1.2-3,4!\"*+"
                                     << "1234";
        QTest::newRow("other digits") << "\u0661\uff12" // Arabic-Indic one, full-width two
                                      << "";
        QTest::newRow("a seventh digit") << "1234567"
                                         << "123456";
    }

    void onlyDigitsReachTheBox()
    {
        QFETCH(QString, typed);
        QFETCH(QString, shown);
        Fixture fx;
        frmMain& w = fx.open();
        QTest::mouseClick(w.txtPass, Qt::LeftButton);
        typeText(w.txtPass, typed);
        QCOMPARE(w.txtPass->text(), shown);
    }

    void aRejectedCharacterIsNoKeyChange()
    {
        Fixture fx;
        frmMain& w = fx.open();
        typeKey(w, QStringLiteral("12"));
        w.txtNormal->setText(QStringLiteral("mark"));
        QTest::keyClicks(w.txtPass, QStringLiteral("x "));
        QCOMPARE(w.txtPass->text(), QStringLiteral("12"));
        QCOMPARE(w.txtNormal->text(), QStringLiteral("mark")); // the incomplete-key steps did not run again
        QTest::keyClick(w.txtPass, Qt::Key_Backspace);
        QCOMPARE(w.txtPass->text(), QStringLiteral("1"));
        QCOMPARE(w.txtNormal->text(), Placeholder);
    }

    void pastingKeepsTheDigits_data()
    {
        QTest::addColumn<QString>("clipboard");
        QTest::addColumn<QString>("shown");
        QTest::newRow("mixed") << "12a3 4"
                               << "1234";
        QTest::newRow("longer than the box") << "1a2b3c4d5e6f7"
                                             << "123456";
        QTest::newRow("no digits") << "abc"
                                   << "";
    }

    void pastingKeepsTheDigits()
    {
        QFETCH(QString, clipboard);
        QFETCH(QString, shown);
        Fixture fx;
        frmMain& w = fx.open();
        QGuiApplication::clipboard()->setText(clipboard);
        QTest::mouseClick(w.txtPass, Qt::LeftButton);
        QTest::keyClick(w.txtPass, Qt::Key_V, Qt::ControlModifier);
        QCOMPARE(w.txtPass->text(), shown);

        // The context menu's Paste filters the same way.
        w.txtPass->clear();
        QContextMenuEvent menuEvent(QContextMenuEvent::Mouse, QPoint(2, 2), w.txtPass->mapToGlobal(QPoint(2, 2)));
        QCoreApplication::sendEvent(w.txtPass, &menuEvent);
        QTRY_VERIFY(qobject_cast<QMenu*>(QApplication::activePopupWidget()));
        auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
        QAction* paste = nullptr;
        for (QAction* action : menu->actions()) {
            if (action->text().startsWith(QStringLiteral("&Paste")))
                paste = action;
        }
        QVERIFY(paste);
        paste->trigger();
        menu->close();
        QCOMPARE(w.txtPass->text(), shown);
    }

    void theIndicatorFollowsTheKey()
    {
        Fixture fx;
        frmMain& w = fx.open();
        QCOMPARE(indicatorColour(w), 255);
        QCOMPARE(indicatorPicture(w), img1616::KeyIncomplete);
        QCOMPARE(w.SSPanel2->palette().color(QPalette::WindowText), QColor(255, 0, 0));
        QVERIFY(!w.Image1->pixmap().isNull());

        typeKey(w, Key);
        QCOMPARE(indicatorColour(w), 32768);
        QCOMPARE(indicatorPicture(w), img1616::KeyComplete);
        QCOMPARE(w.SSPanel2->palette().color(QPalette::WindowText), QColor(0, 128, 0));
        // Only the strip's own caption changes colour.
        QCOMPARE(w.SSPanel3->palette().color(QPalette::WindowText), QApplication::palette().color(QPalette::WindowText));

        // Overtyping a digit keeps the key complete.
        w.txtPass->setSelection(2, 1);
        QTest::keyClicks(w.txtPass, QStringLiteral("9"));
        QCOMPARE(w.txtPass->text(), QStringLiteral("359416"));
        QCOMPARE(indicatorPicture(w), img1616::KeyComplete);
    }

    void anIncompleteKeyHoldsTheFocus()
    {
        Fixture fx;
        seed(fx);
        frmMain& w = fx.open();
        fx.clickNode(QStringLiteral("Banks"));

        // Before the key's first change there is no hold.
        fx.clickRow(w.lvURLs, 1);
        QTest::qWait(50);
        QCOMPARE(QApplication::focusWidget(), w.lvURLs);

        typeKey(w, Key);
        w.txtNormal->setText(QStringLiteral("sentence"));
        QTest::keyClick(w.txtPass, Qt::Key_Backspace);
        QCOMPARE(indicatorColour(w), 255);
        QCOMPARE(indicatorPicture(w), img1616::KeyIncomplete);
        QCOMPARE(w.txtNormal->text(), Placeholder);

        // The clicked control gets its click, then the focus goes back.
        fx.clickRow(w.lvURLs, rowOf(w.lvURLs, 2, QStringLiteral("Alpha")));
        QCOMPARE(w.lblSiteCode->text(), QStringLiteral("1"));
        QTRY_COMPARE(QApplication::focusWidget(), w.txtPass);
        QTest::mouseClick(w.txtNormal, Qt::LeftButton);
        QTRY_COMPARE(QApplication::focusWidget(), w.txtPass);
        w.tvCategories->setFocus();
        QTRY_COMPARE(QApplication::focusWidget(), w.txtPass);

        // Settled: nothing moves any more.
        QSignalSpy moves(qApp, &QApplication::focusChanged);
        QTest::qWait(100);
        QCOMPARE(moves.count(), 0);

        // Complete again: the hold ends.
        QTest::keyClicks(w.txtPass, QStringLiteral("6"));
        w.tvCategories->setFocus();
        QTest::qWait(50);
        QCOMPARE(QApplication::focusWidget(), w.tvCategories);
    }

    void aDialogKeepsItsFocus()
    {
        Fixture fx;
        frmMain& w = fx.open();
        typeKey(w, QStringLiteral("12"));

        QDialog dialog(&w);
        auto* layout = new QVBoxLayout(&dialog);
        auto* edit = new QLineEdit(&dialog);
        layout->addWidget(edit);
        dialog.open();
        QVERIFY(QTest::qWaitForWindowActive(&dialog));
        edit->setFocus();
        QTRY_COMPARE(QApplication::focusWidget(), edit);
        QTest::qWait(100);
        QCOMPARE(QApplication::focusWidget(), edit);
        QTest::keyClicks(edit, QStringLiteral("typed"));
        QCOMPARE(edit->text(), QStringLiteral("typed"));

        dialog.close();
        w.activateWindow();
        QTRY_COMPARE(QApplication::focusWidget(), w.txtPass);
    }

    void theWindowClosesWhileTheKeyIsIncomplete()
    {
        Fixture fx;
        frmMain& w = fx.open();
        typeKey(w, QStringLiteral("123"));
        w.tvCategories->setFocus(); // a hold is pending
        QVERIFY(w.close());
        QTest::qWait(50);
        QVERIFY(!w.isVisible());
    }

    void theCheckFileIsDeciphered_data()
    {
        const QString sentence = QStringLiteral("The quick brown fox jumps");
        const QString commas = QStringLiteral("Hello, world, once again");
        const QString e = enc(sentence);
        // The file's rule drops surrounding spaces: the enciphered forms used here must have none.
        QVERIFY(e.trimmed() == e && enc(commas).trimmed() == enc(commas));
        QVERIFY(!e.contains(u','));
        QVERIFY(e != sentence);

        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<QString>("key");
        QTest::addColumn<QString>("shown");
        QTest::newRow("one field") << e.toUtf8() << Key << sentence;
        QTest::newRow("several fields") << ("first, second ,third," + e.toUtf8()) << Key << sentence;
        QTest::newRow("several lines") << ("line one\r\nline, two\n" + e.toUtf8() + "\r\n") << Key << sentence;
        QTest::newRow("quoted with commas") << ("a,\"b, c\"\n\"" + enc(commas).toUtf8() + "\"") << Key << commas;
        QTest::newRow("surrounding spaces") << ("   " + e.toUtf8() + "   \n") << Key << sentence;
        QTest::newRow("another key") << e.toUtf8() << Mistyped << CryptText(CryptMode::Dec, Mistyped, e);
        QTest::newRow("empty file") << QByteArray() << Key << QString();
    }

    void theCheckFileIsDeciphered()
    {
        QFETCH(QByteArray, content);
        QFETCH(QString, key);
        QFETCH(QString, shown);
        Fixture fx;
        writeFile(QDir(fx.folder()).filePath(QStringLiteral("key.chk")), content);
        frmMain& w = fx.open();
        typeKey(w, key.left(5));
        QCOMPARE(w.txtNormal->text(), Placeholder);
        QTest::keyClicks(w.txtPass, key.mid(5));
        QCOMPARE(w.txtNormal->text(), shown);
        QCOMPARE(fx.prompter.shown.size(), 0);
        if (key != Key) {
            const QString sentence = QStringLiteral("The quick brown fox jumps");
            QVERIFY(w.txtNormal->text() != sentence);
            QCOMPARE(sorted(w.txtNormal->text()), sorted(sentence));
        }
    }

    void aMissingCheckFileChangesNothing()
    {
        Fixture fx;
        frmMain& w = fx.open();
        typeKey(w, Key);
        QCOMPARE(w.txtNormal->text(), Placeholder);
        QCOMPARE(fx.prompter.shown.size(), 0);
        QCOMPARE(indicatorPicture(w), img1616::KeyComplete);
    }

    void anUnreadableCheckFileIsReported()
    {
        Fixture fx;
        QVERIFY(QDir(fx.folder()).mkdir(QStringLiteral("key.chk"))); // unreadable as a file, even for root
        frmMain& w = fx.open();
        typeKey(w, Key);
        QCOMPARE(fx.prompter.shown.size(), 1);
        const Prompt& shown = fx.prompter.shown.first();
        QVERIFY2(shown.text.contains(QStringLiteral("key.chk")), qPrintable(shown.text));
        QCOMPARE(shown.title, QStringLiteral("Dorvu v4.0"));
        QCOMPARE(shown.icon, Prompt::Icon::Exclamation);
        QCOMPARE(w.txtNormal->text(), Placeholder);
        QCOMPARE(indicatorPicture(w), img1616::KeyComplete); // the rest of the steps still run
    }

    void completingTheKeyReselectsTheCurrentEntry()
    {
        Fixture fx;
        seed(fx);
        frmMain& w = fx.open();
        typeKey(w, Mistyped);
        fx.clickNode(QStringLiteral("Banks"));
        fx.clickRow(w.lvURLs, rowOf(w.lvURLs, 2, QStringLiteral("Alpha")));
        fx.clickRow(w.lvPasswords, rowOf(w.lvPasswords, 0, QStringLiteral("bob")));
        QCOMPARE(w.CurWhat, QStringLiteral("Passwords"));
        QVERIFY(fx.clipboard.text != QStringLiteral("hunter22")); // deciphered under the wrong key

        fixLastDigit(w, Key.back());
        QCOMPARE(w.txtPass->text(), Key);
        const int bob = rowOf(w.lvPasswords, 0, QStringLiteral("bob"));
        QCOMPARE(items::tag(w.lvPasswords->topLevelItem(bob), 1), QStringLiteral("hunter22"));
        QCOMPARE(items::tag(w.lvPasswords->topLevelItem(rowOf(w.lvPasswords, 0, QStringLiteral("ann"))), 1),
                 QStringLiteral("secret1"));
        QCOMPARE(items::selectedRow(w.lvPasswords), w.lvPasswords->topLevelItem(bob));
        QCOMPARE(fx.clipboard.text, QStringLiteral("hunter22"));
        QCOMPARE(w.txtPassword->text(), QStringLiteral("hunter22"));
        QCOMPARE(QApplication::focusWidget(), w.lvPasswords);
    }

    void completingTheKeyInTheSitesListSelectsNoEntry()
    {
        Fixture fx;
        seed(fx);
        frmMain& w = fx.open();
        typeKey(w, Mistyped);
        fx.clickNode(QStringLiteral("Banks"));
        fx.clickRow(w.lvURLs, rowOf(w.lvURLs, 2, QStringLiteral("Alpha")));
        QCOMPARE(w.CurWhat, QStringLiteral("Sites"));

        fixLastDigit(w, Key.back());
        QCOMPARE(w.lvPasswords->topLevelItemCount(), 2);
        QCOMPARE(items::tag(w.lvPasswords->topLevelItem(rowOf(w.lvPasswords, 0, QStringLiteral("bob"))), 1),
                 QStringLiteral("hunter22"));
        QVERIFY(!items::selectedRow(w.lvPasswords));
        QCOMPARE(QApplication::focusWidget(), w.lvURLs);
        QCOMPARE(fx.clipboard.sets, 0);
    }

    void completingTheKeyWithoutACurrentSiteOnlyShowsTheCheck()
    {
        Fixture fx;
        seed(fx);
        writeFile(QDir(fx.folder()).filePath(QStringLiteral("key.chk")), enc(QStringLiteral("checked")).toUtf8());
        frmMain& w = fx.open();
        fx.clickNode(QStringLiteral("Banks")); // the first site is selected, but none is current
        typeKey(w, Key.left(5));
        fx.startTrace();
        QTest::keyClicks(w.txtPass, Key.mid(5));
        QCOMPARE(fx.stopTrace(), QStringList());
        QCOMPARE(w.txtNormal->text(), QStringLiteral("checked"));
        QCOMPARE(indicatorPicture(w), img1616::KeyComplete);
        QCOMPARE(w.lvPasswords->topLevelItemCount(), 0);
        QCOMPARE(QApplication::focusWidget(), w.txtPass);
    }
};

DORVU_TEST_MAIN(TestUnlockKey)
#include "tst_unlockkey.moc"
