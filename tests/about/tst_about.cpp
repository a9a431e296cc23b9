#include "about/frmAbout.h"
#include "support/Doubles.h"
#include "support/TestMain.h"

#include <QPushButton>

namespace {

QPushButton* button(const frmAbout& about, const char* name)
{
    return about.findChild<QPushButton*>(QString::fromLatin1(name));
}

QPoint centreOf(const QRect& r)
{
    return {r.x() + r.width() / 2, r.y() + r.height() / 2};
}

} // namespace

class TestAbout : public QObject {
    Q_OBJECT

private slots:
    void contentsOpensTheHelpFileOfTheProgramFolder_data()
    {
        QTest::addColumn<QString>("folder");
        QTest::addColumn<QString>("expected");
        QTest::newRow("plain") << "/opt/dorvu"
                               << "/opt/dorvu/dorvu.chm";
        QTest::newRow("with spaces") << "/opt/My Programs/Dorvu"
                                     << "/opt/My Programs/Dorvu/dorvu.chm";
        QTest::newRow("ending in a slash") << "/opt/dorvu/"
                                           << "/opt/dorvu/dorvu.chm";
    }

    void contentsOpensTheHelpFileOfTheProgramFolder()
    {
        QFETCH(QString, folder);
        QFETCH(QString, expected);
        RecordingShell shell;
        frmAbout about(folder, shell);
        about.show();
        QVERIFY(QTest::qWaitForWindowExposed(&about));
        // Nothing checks that the file is there, and the box stays open.
        QTest::mouseClick(button(about, "cmdContents"), Qt::LeftButton);
        QTest::mouseClick(button(about, "cmdContents"), Qt::LeftButton);
        QCOMPARE(shell.files, (QStringList{expected, expected}));
        QVERIFY(shell.addresses.isEmpty());
        QVERIFY(about.isVisible());
    }

    void everyShowingIsCentredOnTheParent()
    {
        RecordingShell shell;
        QWidget parent;
        parent.setGeometry(40, 50, 600, 400);
        parent.show();
        QVERIFY(QTest::qWaitForWindowExposed(&parent));
        frmAbout about(QStringLiteral("/opt/dorvu"), shell, &parent);
        for (const QRect& place : {QRect(40, 50, 600, 400), QRect(200, 150, 560, 420)}) {
            parent.setGeometry(place);
            QTRY_COMPARE(parent.geometry(), place);
            about.show();
            QVERIFY(QTest::qWaitForWindowExposed(&about));
            const QPoint offset = centreOf(about.frameGeometry()) - centreOf(parent.frameGeometry());
            QVERIFY2(qAbs(offset.x()) <= 1 && qAbs(offset.y()) <= 1,
                     qPrintable(QString::number(offset.x()) + u',' + QString::number(offset.y())));
            about.accept();
        }
    }
};

DORVU_TEST_MAIN(TestAbout)
#include "tst_about.moc"
