#include "support/Fixture.h"
#include "support/TestMain.h"

#include "cipher/CryptText.h"
#include "cipher/UnlockGuard.h"
#include "window/CheckTool.h"

#include <QLineEdit>
#include <QPushButton>

namespace {

// Under this key position 2 of a block moves to its end: "a bcde" enciphers to "abcde ".
const QString Key = QStringLiteral("234561");
const QString NormalPlaceholder = QStringLiteral("Normal text here !");
const QString EncryptedPlaceholder = QStringLiteral("Encrypted text here !");

frmMain& openWithKey(Fixture& fx, const QString& key = Key)
{
    frmMain& w = fx.open();
    QTest::mouseClick(w.txtPass, Qt::LeftButton);
    QTest::keyClicks(w.txtPass, key);
    return w;
}

// Enters a box, replaces its text as a user would, and leaves it for the Check button.
void typeInto(frmMain& w, QLineEdit* box, const QString& text)
{
    QTest::mouseClick(box, Qt::LeftButton);
    box->selectAll();
    QTest::keyClick(box, Qt::Key_Delete);
    QTest::keyClicks(box, text);
    w.cmdCheck->setFocus();
}

QString colourRole(const QLineEdit* box)
{
    return box->property("ForeColorRole").toString();
}

} // namespace

class TestCheckTool : public QObject {
    Q_OBJECT

private slots:
    void aTextGoesThereAndBack_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("enciphered");
        QTest::addColumn<QString>("back");
        QTest::newRow("a sentence") << "Hello world" << QStringLiteral("Hllo eorldw")
                                    << "Hello world";
        QTest::newRow("surrounding spaces are dropped")
            << "   two words  " << QStringLiteral("to wowdsr") << "two words";
        // The enciphered text ends in a space, which the way back trims: the check then shows another text.
        QTest::newRow("a space moved to the end") << "a bcde"
                                                  << "abcde "
                                                  << "eabcd";
    }

    void aTextGoesThereAndBack()
    {
        QFETCH(QString, typed);
        QFETCH(QString, enciphered);
        QFETCH(QString, back);
        Fixture fx;
        frmMain& w = openWithKey(fx);
        typeInto(w, w.txtNormal, typed);
        QTest::mouseClick(w.cmdCheck, Qt::LeftButton);
        QCOMPARE(w.txtEncrepted->text(), enciphered);
        QCOMPARE(w.txtNormal->text(), typed);

        // Empty the plain box and leave it: its placeholder returns, and Check deciphers.
        typeInto(w, w.txtNormal, QString());
        QCOMPARE(w.txtNormal->text(), NormalPlaceholder);
        QTest::mouseClick(w.cmdCheck, Qt::LeftButton);
        QCOMPARE(w.txtNormal->text(), back);
        QCOMPARE(w.txtEncrepted->text(), enciphered);
        QCOMPARE(fx.prompter.shown.size(), 0);
    }

    void bothBoxesFilledAskToClearOne()
    {
        Fixture fx;
        frmMain& w = openWithKey(fx);
        typeInto(w, w.txtNormal, QStringLiteral("plain"));
        typeInto(w, w.txtEncrepted, QStringLiteral("cipher"));
        QTest::mouseClick(w.cmdCheck, Qt::LeftButton);
        QCOMPARE(fx.prompter.shown.size(), 1);
        const Prompt expected{QStringLiteral("Clear one of the text box ( Normal text ) or ( Encrypted text )"),
                              QStringLiteral("Dorvu"), Prompt::Icon::Exclamation, Prompt::Buttons::Ok};
        QCOMPARE(fx.prompter.shown.first(), expected);
        QCOMPARE(w.txtNormal->text(), QStringLiteral("plain"));
        QCOMPARE(w.txtEncrepted->text(), QStringLiteral("cipher"));
    }

    void anIncompleteKeyIsRefused()
    {
        Fixture fx;
        frmMain& w = openWithKey(fx, QStringLiteral("23456"));
        w.txtNormal->setText(QStringLiteral("plain text"));
        w.checkTool->Check();
        QCOMPARE(fx.prompter.shown.size(), 1);
        const Prompt expected{unlockKeyMessage(), QStringLiteral("Dorvu v4.0"), Prompt::Icon::Exclamation,
                              Prompt::Buttons::Ok};
        QCOMPARE(fx.prompter.shown.first(), expected);
        QCOMPARE(w.txtEncrepted->text(), EncryptedPlaceholder);
    }

    void twoPlaceholdersDoNothing()
    {
        Fixture fx;
        frmMain& w = openWithKey(fx);
        w.txtEncrepted->setText(QStringLiteral("  ") + EncryptedPlaceholder); // still its placeholder
        QTest::mouseClick(w.cmdCheck, Qt::LeftButton);
        QCOMPARE(fx.prompter.shown.size(), 0);
        QCOMPARE(w.txtNormal->text(), NormalPlaceholder);
        QCOMPARE(w.txtEncrepted->text(), QStringLiteral("  ") + EncryptedPlaceholder);
    }

    void leavingABlankBoxBringsItsPlaceholderBack_data()
    {
        QTest::addColumn<QString>("box");
        QTest::addColumn<QString>("placeholder");
        QTest::newRow("plain") << "txtNormal" << NormalPlaceholder;
        QTest::newRow("enciphered") << "txtEncrepted" << EncryptedPlaceholder;
    }

    void leavingABlankBoxBringsItsPlaceholderBack()
    {
        QFETCH(QString, box);
        QFETCH(QString, placeholder);
        Fixture fx;
        frmMain& w = openWithKey(fx);
        auto* edit = w.findChild<QLineEdit*>(box);
        QTest::mouseClick(edit, Qt::LeftButton);
        QCOMPARE(edit->text(), QString()); // entering a box showing its placeholder empties it
        QCOMPARE(colourRole(edit), QStringLiteral("WindowText"));
        QTest::keyClicks(edit, QStringLiteral("   "));
        w.cmdCheck->setFocus();
        QCOMPARE(edit->text(), placeholder);
        QCOMPARE(colourRole(edit), QStringLiteral("GrayText"));

        // A text of the user's stays when the box is left.
        QTest::mouseClick(edit, Qt::LeftButton);
        QTest::keyClicks(edit, QStringLiteral(" kept "));
        w.cmdCheck->setFocus();
        QCOMPARE(edit->text(), QStringLiteral(" kept "));
    }

    void theColoursFollowTheFocus()
    {
        Fixture fx;
        frmMain& w = openWithKey(fx);
        QCOMPARE(colourRole(w.txtNormal), QStringLiteral("GrayText"));
        QCOMPARE(colourRole(w.txtEncrepted), QStringLiteral("GrayText"));
        QCOMPARE(w.txtNormal->palette().color(QPalette::Text), w.txtPass->palette().color(QPalette::Text));

        // Entering the enciphered box with a text leaves the text and only changes the colour.
        w.txtEncrepted->setText(QStringLiteral("cipher"));
        QTest::mouseClick(w.txtEncrepted, Qt::LeftButton);
        QCOMPARE(w.txtEncrepted->text(), QStringLiteral("cipher"));
        QCOMPARE(colourRole(w.txtEncrepted), QStringLiteral("WindowText"));
        QCOMPARE(w.txtEncrepted->palette().color(QPalette::Text), QApplication::palette().color(QPalette::WindowText));

        // A blank plain box keeps its colour when entered; a filled one takes the window-text colour.
        w.txtNormal->setText(QStringLiteral("  "));
        QTest::mouseClick(w.txtNormal, Qt::LeftButton);
        QCOMPARE(colourRole(w.txtNormal), QStringLiteral("GrayText"));
        QCOMPARE(w.txtNormal->text(), QStringLiteral("  "));
        w.cmdCheck->setFocus();
        QCOMPARE(w.txtNormal->text(), NormalPlaceholder);
        w.txtNormal->setText(QStringLiteral("plain"));
        QTest::mouseClick(w.txtNormal, Qt::LeftButton);
        QCOMPARE(colourRole(w.txtNormal), QStringLiteral("WindowText"));
    }
};

DORVU_TEST_MAIN(TestCheckTool)
#include "tst_checktool.moc"
