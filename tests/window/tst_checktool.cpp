#include "cipher/UnlockGuard.h"
#include "support/Fixture.h"
#include "support/TestMain.h"
#include "window/CheckTool.h"
#include "views/UnlockKey.h"

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

bool grey(const QLineEdit* box)
{
    return box->palette().color(QPalette::Text) == UnlockKey::keyTextColour();
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
        QTest::newRow("surrounding spaces are dropped") << "   two words  " << "to wowdsr" << "two words";
        // The way back trims the enciphered text's final space too, so the check shows another text.
        QTest::newRow("a space moved to the end") << "a bcde" << "abcde " << "eabcd";
    }

    void aTextGoesThereAndBack()
    {
        QFETCH(QString, typed);
        QFETCH(QString, enciphered);
        QFETCH(QString, back);
        Fixture fx;
        frmMain& w = openWithKey(fx);
        QTest::mouseClick(w.txtNormal, Qt::LeftButton);
        QTest::keyClicks(w.txtNormal, typed);
        QTest::mouseClick(w.cmdCheck, Qt::LeftButton);
        QCOMPARE(w.txtEncrepted->text(), enciphered);

        QTest::mouseClick(w.txtNormal, Qt::LeftButton);
        w.txtNormal->clear(); // leaving it blank brings the placeholder back: Check then deciphers
        QTest::mouseClick(w.cmdCheck, Qt::LeftButton);
        QCOMPARE(w.txtNormal->text(), back);
        QCOMPARE(w.txtEncrepted->text(), enciphered);
        QCOMPARE(fx.prompter.shown.size(), 0);
    }

    void checkRefusesAnIncompleteKeyAndTwoFilledBoxes()
    {
        Fixture fx;
        frmMain& w = openWithKey(fx, QStringLiteral("23456"));
        w.txtNormal->setText(QStringLiteral("plain"));
        w.cmdCheck->click();
        QCOMPARE(w.txtEncrepted->text(), EncryptedPlaceholder);
        QTest::keyClicks(w.txtPass, QStringLiteral("1"));
        w.txtEncrepted->setText(QStringLiteral("cipher"));
        w.cmdCheck->click();
        const QList<Prompt> shown{{unlockKeyMessage(), QStringLiteral("Dorvu v4.0"), Prompt::Icon::Exclamation},
                                  {QStringLiteral("Clear one of the text box ( Normal text ) or ( Encrypted text )"),
                                   QStringLiteral("Dorvu"), Prompt::Icon::Exclamation}};
        QCOMPARE(fx.prompter.shown, shown);
        QCOMPARE(w.txtNormal->text() + u'|' + w.txtEncrepted->text(), QStringLiteral("plain|cipher"));
    }

    // Grey while a box has not the focus; a blank box gets its placeholder back when left.
    void theBoxesFollowTheFocus_data()
    {
        QTest::addColumn<QString>("box");
        QTest::addColumn<QString>("before");
        QTest::addColumn<QString>("inside"); // the text once entered
        QTest::addColumn<bool>("greyInside");
        QTest::addColumn<QString>("after"); // the text once left
        QTest::newRow("plain placeholder") << "txtNormal" << NormalPlaceholder << "" << false << NormalPlaceholder;
        QTest::newRow("plain blank") << "txtNormal" << "  " << "  " << true << NormalPlaceholder;
        QTest::newRow("plain text") << "txtNormal" << " kept " << " kept " << false << " kept ";
        QTest::newRow("enciphered blank") << "txtEncrepted" << "  " << "" << false << EncryptedPlaceholder;
        QTest::newRow("enciphered text") << "txtEncrepted" << "cipher" << "cipher" << false << "cipher";
    }

    void theBoxesFollowTheFocus()
    {
        QFETCH(QString, box);
        QFETCH(QString, before);
        QFETCH(QString, inside);
        QFETCH(bool, greyInside);
        QFETCH(QString, after);
        Fixture fx;
        frmMain& w = openWithKey(fx);
        auto* edit = w.findChild<QLineEdit*>(box);
        QVERIFY(grey(edit));
        edit->setText(before);
        QTest::mouseClick(edit, Qt::LeftButton);
        QCOMPARE(edit->text(), inside);
        QCOMPARE(grey(edit), greyInside);
        w.cmdCheck->setFocus();
        QCOMPARE(edit->text(), after);
        QVERIFY(grey(edit));
    }
};

DORVU_TEST_MAIN(TestCheckTool)
#include "tst_checktool.moc"
