#include "platform/Clipboard.h"
#include "support/TestMain.h"

#include <QClipboard>
#include <QMimeData>

class ClipboardTest : public QObject {
    Q_OBJECT

private slots:
    void atTheEndOnlyOurOwnPasswordIsCleared_data()
    {
        QTest::addColumn<QString>("since");
        QTest::addColumn<bool>("hint");
        QTest::addColumn<QString>("left");
        QTest::newRow("still our password") << "" << false << "";
        QTest::newRow("text copied since") << "meeting notes" << false << "meeting notes";
        QTest::newRow("another manager's password since") << "other secret" << true << "other secret";
    }

    void atTheEndOnlyOurOwnPasswordIsCleared()
    {
        QFETCH(QString, since);
        QFETCH(bool, hint);
        QFETCH(QString, left);
        SystemClipboard clipboard;
        clipboard.setPassword(QStringLiteral("s3cret!"));
        // Marked secret, so that clipboard histories keep no copy.
        const QMimeData* ours = QGuiApplication::clipboard()->mimeData();
        QVERIFY(ours->text() == "s3cret!" && ours->data("x-kde-passwordManagerHint") == "secret");
        if (!since.isEmpty()) {
            auto* data = new QMimeData;
            data->setText(since);
            if (hint)
                data->setData(QStringLiteral("x-kde-passwordManagerHint"), "secret");
            QGuiApplication::clipboard()->setMimeData(data);
        }
        clipboard.clearIfOurs();
        QCOMPARE(QGuiApplication::clipboard()->text(), left);
    }
};

DORVU_TEST_MAIN(ClipboardTest)
#include "tst_clipboard.moc"
