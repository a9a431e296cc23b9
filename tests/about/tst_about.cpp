#include "about/frmAbout.h"
#include "support/Doubles.h"
#include "support/TestMain.h"

#include <QAccessible>
#include <QFrame>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QTemporaryDir>

namespace {

// The about box is designed in twips; at 96 dpi 15 twips make one pixel, and every place of the box divides evenly.
QRect fromTwips(int left, int top, int width, int height)
{
    return {left / 15, top / 15, width / 15, height / 15};
}

template <typename T> T* only(const QWidget& parent, const QString& name)
{
    const QList<T*> found = parent.findChildren<T*>(name);
    return found.size() == 1 ? found.first() : nullptr;
}

QPoint centreOf(const QRect& r)
{
    return {r.x() + r.width() / 2, r.y() + r.height() / 2};
}

} // namespace

class TestAbout : public QObject {
    Q_OBJECT

private slots:
    void init()
    {
        m_shell.files.clear();
        m_shell.addresses.clear();
    }

    void dialog()
    {
        frmAbout about(m_folder.path(), m_shell);
        QCOMPARE(about.objectName(), QStringLiteral("frmAbout"));
        QCOMPARE(about.windowTitle(), QStringLiteral("About"));
        about.show();
        QVERIFY(QTest::qWaitForWindowExposed(&about));
        QCOMPARE(about.size(), QSize(5730 / 15, 3120 / 15));
        // Not resizable: the size is fixed, and asking for another one changes nothing.
        QCOMPARE(about.minimumSize(), about.size());
        QCOMPARE(about.maximumSize(), about.size());
        about.resize(600, 400);
        QCOMPARE(about.size(), QSize(382, 208));
    }

    void controls_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("kind");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QRect>("place");

        QTest::newRow("icon") << "Image1"
                              << "QLabel" << QString() << fromTwips(360, 360, 480, 480);
        QTest::newRow("title") << "lblTitle"
                               << "QLabel"
                               << "Dorvu v4.0" << fromTwips(1080, 240, 3885, 600);
        QTest::newRow("description") << "lblDescription"
                                     << "QLabel"
                                     << "Any bugs or suggestions please send e-mail to me."
                                     << fromTwips(1080, 1080, 3885, 570);
        QTest::newRow("author") << "Label1"
                                << "QLabel"
                                << "Written by the Dorvu developers" << fromTwips(1080, 1680, 3855, 255);
        QTest::newRow("contact") << "Label3"
                                 << "QLabel"
                                 << "dorvu@users.noreply.invalid" << fromTwips(1080, 2040, 3255, 375);
        QTest::newRow("contents") << "cmdContents"
                                  << "QPushButton"
                                  << "Contents" << fromTwips(2880, 2625, 1260, 345);
        QTest::newRow("ok") << "cmdOK"
                            << "QPushButton"
                            << "OK" << fromTwips(4245, 2625, 1260, 345);
    }

    void controls()
    {
        QFETCH(QString, name);
        QFETCH(QString, kind);
        QFETCH(QString, text);
        QFETCH(QRect, place);

        frmAbout about(m_folder.path(), m_shell);
        QWidget* control = only<QWidget>(about, name);
        QVERIFY2(control, qPrintable(name + " is not there exactly once"));
        QCOMPARE(QString::fromLatin1(control->metaObject()->className()), kind);
        QCOMPARE(control->geometry(), place);
        if (auto* label = qobject_cast<QLabel*>(control))
            QCOMPARE(label->text(), text);
        if (auto* button = qobject_cast<QPushButton*>(control))
            QCOMPARE(button->text(), text);
    }

    void looks_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QColor>("colour");
        QTest::addColumn<bool>("serif");

        QTest::newRow("title") << "lblTitle" << QColor(0, 0, 255) << true;
        QTest::newRow("description") << "lblDescription" << QColor(128, 0, 0) << false;
        QTest::newRow("author") << "Label1" << QColor(0, 128, 0) << true;
        QTest::newRow("contact") << "Label3" << QColor(0, 0, 255) << false;
    }

    void looks()
    {
        QFETCH(QString, name);
        QFETCH(QColor, colour);
        QFETCH(bool, serif);

        frmAbout about(m_folder.path(), m_shell);
        QLabel* label = only<QLabel>(about, name);
        QVERIFY(label);
        QCOMPARE(label->palette().color(QPalette::WindowText), colour);
        QCOMPARE(label->font().styleHint() == QFont::Serif, serif);
    }

    void icon()
    {
        frmAbout about(m_folder.path(), m_shell);
        QLabel* image = only<QLabel>(about, QStringLiteral("Image1"));
        QVERIFY(image);
        const QPixmap shown = image->pixmap();
        QVERIFY(!shown.isNull());
        QCOMPARE(shown.deviceIndependentSize().toSize(), QSize(32, 32));
    }

    void separators()
    {
        frmAbout about(m_folder.path(), m_shell);
        const QList<QFrame*> lines = about.findChildren<QFrame*>(QStringLiteral("Line1"));
        QCOMPARE(lines.size(), 2);
        for (const QFrame* line : lines) {
            QCOMPARE(line->frameShape(), QFrame::HLine);
            // Between the notes and the buttons, inside the box.
            QVERIFY(line->geometry().top() > fromTwips(1080, 2040, 3255, 375).bottom());
            QVERIFY(line->geometry().bottom() < fromTwips(2880, 2625, 1260, 345).top());
            QVERIFY(about.rect().contains(line->geometry()));
        }
    }

    void accessibleNames_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("caption");
        QTest::newRow("ok") << "cmdOK"
                            << "OK";
        QTest::newRow("contents") << "cmdContents"
                                  << "Contents";
    }

    void accessibleNames()
    {
        QFETCH(QString, name);
        QFETCH(QString, caption);
        frmAbout about(m_folder.path(), m_shell);
        QPushButton* button = only<QPushButton>(about, name);
        QVERIFY(button);
        QAccessibleInterface* accessible = QAccessible::queryAccessibleInterface(button);
        QVERIFY(accessible);
        QCOMPARE(accessible->text(QAccessible::Name), caption);
        QCOMPARE(accessible->role(), QAccessible::Button);
    }

    void okFirstInTabOrder()
    {
        frmAbout about(m_folder.path(), m_shell);
        about.show();
        QVERIFY(QTest::qWaitForWindowActive(&about));
        QCOMPARE(QApplication::focusWidget(), only<QPushButton>(about, QStringLiteral("cmdOK")));
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget(), only<QPushButton>(about, QStringLiteral("cmdContents")));
        // Only the two buttons take the focus.
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget(), only<QPushButton>(about, QStringLiteral("cmdOK")));
    }

    void okCloses_data()
    {
        QTest::addColumn<bool>("byKey");
        QTest::newRow("click") << false;
        QTest::newRow("Enter, OK being the default button") << true;
    }

    void okCloses()
    {
        QFETCH(bool, byKey);
        frmAbout about(m_folder.path(), m_shell);
        about.show();
        QVERIFY(QTest::qWaitForWindowActive(&about));
        if (byKey)
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
        else
            QTest::mouseClick(only<QPushButton>(about, QStringLiteral("cmdOK")), Qt::LeftButton);
        QVERIFY(!about.isVisible());
        QCOMPARE(about.result(), int(QDialog::Accepted));
        QVERIFY(m_shell.files.isEmpty());
        QVERIFY(m_shell.addresses.isEmpty());
    }

    void contentsOpensHelp_data()
    {
        QTest::addColumn<QString>("folder");
        QTest::addColumn<QString>("expected");
        QTest::addColumn<int>("presses");

        const QString temp = m_folder.path();
        QTest::newRow("once") << temp << temp + "/dorvu.chm" << 1;
        QTest::newRow("twice opens twice") << temp << temp + "/dorvu.chm" << 2;
        QTest::newRow("folder with spaces") << "/opt/My Programs/Dorvu"
                                            << "/opt/My Programs/Dorvu/dorvu.chm" << 1;
        QTest::newRow("folder ending in a slash") << "/opt/dorvu/"
                                                  << "/opt/dorvu/dorvu.chm" << 1;
        // Nothing checks that the file is there: the shell is asked all the same, and says nothing back.
        QTest::newRow("folder without the file") << "/no/such/folder"
                                                 << "/no/such/folder/dorvu.chm" << 2;
    }

    void contentsOpensHelp()
    {
        QFETCH(QString, folder);
        QFETCH(QString, expected);
        QFETCH(int, presses);

        frmAbout about(folder, m_shell);
        about.show();
        QVERIFY(QTest::qWaitForWindowExposed(&about));
        QPushButton* contents = only<QPushButton>(about, QStringLiteral("cmdContents"));
        QVERIFY(contents);
        for (int i = 0; i < presses; ++i)
            QTest::mouseClick(contents, Qt::LeftButton);
        QCOMPARE(m_shell.files, QStringList(QList<QString>(presses, expected)));
        QVERIFY(m_shell.addresses.isEmpty());
        QVERIFY(about.isVisible());
        QCOMPARE(about.result(), 0);
    }

    void centredOnParent_data()
    {
        QTest::addColumn<QRect>("first");
        QTest::addColumn<QRect>("second");

        QTest::newRow("large parent, then moved") << QRect(40, 50, 600, 400) << QRect(200, 150, 560, 420);
        QTest::newRow("small parent, then grown") << QRect(300, 200, 300, 150) << QRect(10, 20, 700, 500);
    }

    void centredOnParent()
    {
        QFETCH(QRect, first);
        QFETCH(QRect, second);

        QWidget parent;
        parent.setGeometry(first);
        parent.show();
        QVERIFY(QTest::qWaitForWindowExposed(&parent));

        frmAbout about(m_folder.path(), m_shell, &parent);
        about.show();
        QVERIFY(QTest::qWaitForWindowExposed(&about));
        verifyCentred(about, parent);
        about.accept();

        // Every showing centres it again on where the parent is now.
        parent.setGeometry(second);
        QTRY_COMPARE(parent.geometry(), second);
        about.show();
        QVERIFY(QTest::qWaitForWindowExposed(&about));
        verifyCentred(about, parent);
    }

    void staysOnScreen()
    {
        QWidget parent;
        parent.setGeometry(-250, 100, 300, 200);
        parent.show();
        QVERIFY(QTest::qWaitForWindowExposed(&parent));

        frmAbout about(m_folder.path(), m_shell, &parent);
        about.show();
        QVERIFY(QTest::qWaitForWindowExposed(&about));
        const QRect screen = parent.screen()->availableGeometry();
        QCOMPARE(about.frameGeometry().left(), screen.left());
        // Still centred on the parent from top to bottom.
        QVERIFY(qAbs(centreOf(about.frameGeometry()).y() - centreOf(parent.frameGeometry()).y()) <= 1);
    }

private:
    static void verifyCentred(const QWidget& about, const QWidget& parent)
    {
        const QPoint mine = centreOf(about.frameGeometry());
        const QPoint theirs = centreOf(parent.frameGeometry());
        QVERIFY2(qAbs(mine.x() - theirs.x()) <= 1 && qAbs(mine.y() - theirs.y()) <= 1,
                 qPrintable(QStringLiteral("about box centred at %1,%2, parent at %3,%4")
                                .arg(mine.x())
                                .arg(mine.y())
                                .arg(theirs.x())
                                .arg(theirs.y())));
    }

    QTemporaryDir m_folder;
    RecordingShell m_shell;
};

DORVU_TEST_MAIN(TestAbout)
#include "tst_about.moc"
