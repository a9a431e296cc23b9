#include "about/frmAbout.h"
#include "platform/Pictures.h"
#include "platform/Twips.h"
#include "support/Fixture.h"
#include "support/TestMain.h"
#include "views/PanelPort.h"
#include "window/KeyRouter.h"
#include "window/Layout.h"
#include "window/Startup.h"

#include <QAccessible>
#include <QAction>
#include <QClipboard>
#include <QDir>
#include <QHeaderView>
#include <QKeyEvent>
#include <QKeySequence>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScopeGuard>
#include <QToolButton>
#include <QTreeView>

using namespace Qt::StringLiterals;

namespace {

// Not its own inverse: "abcdef" enciphers to "acdefb", "a bcde" to "abcde ".
const QString Key = u"234561"_s;

// Banks (1) holds Alpha (1) with ann's entry, "abcdef" stored under Key; the key box gets `key`.
frmMain& open(Fixture& fx, const QString& key = Key)
{
    fx.addCategory(1, u"Banks"_s, 1, 0);
    fx.addSite(1, 1, u"Alpha"_s);
    fx.addPassword(1, 1, 1, u"ann"_s, u"acdefb"_s);
    frmMain& w = fx.open();
    QTest::mouseClick(w.txtPass, Qt::LeftButton);
    QTest::keyClicks(w.txtPass, key);
    return w;
}

// The key indicator's caption colour and picture.
QString indicator(const frmMain& w)
{
    const int picture = w.Image1->property("pictureIndex").toInt();
    return w.SSPanel2->palette().color(QPalette::WindowText).name() + u' ' + QString::number(picture);
}

// The controls on show that a screen reader cannot name. A label of text is named by its text, which may
// change (so it has no name of its own); a picture needs one.
QStringList nameless(const QWidget& window)
{
    QStringList found;
    for (const QWidget* control : window.findChildren<QWidget*>()) {
        const auto* label = qobject_cast<const QLabel*>(control);
        if (control->objectName().isEmpty() || control->objectName().startsWith(u"qt_") ||
            !control->isVisibleTo(&window) || (label && label->pixmap().isNull()))
            continue;
        QAccessibleInterface* face = QAccessible::queryAccessibleInterface(const_cast<QWidget*>(control));
        if (!face || face->text(QAccessible::Name).trimmed().isEmpty())
            found << control->objectName();
    }
    return found;
}

} // namespace

class TestWindow : public QObject {
    Q_OBJECT

private slots:
    // Key events, "+" down, "-" up, "*" repeated automatically; then the command the last one asks for.
    void theShortcutKeys_data()
    {
        QTest::addColumn<QString>("keys");
        for (const char* keys :
             {"+Ctrl+A Add", "+Ctrl+E Edit", "+Ctrl+S Save", "+Ctrl+S -Ctrl+S None", "+Ctrl+D None",
              "+Ctrl+D -Ctrl+D Delete", "+Ctrl+D -Ctrl+D* None", "+Ctrl+D -Ctrl+D* +Ctrl+D* -Ctrl+D Delete",
              "+Ctrl+D -D Delete", "+Ctrl+D -Ctrl -D Delete", "+D -Ctrl+D None", "+Ctrl+Shift+D -Ctrl+Shift+D None",
              "+Ctrl+D +Ctrl+X -Ctrl+D None", "+Ctrl+Shift+S None", "+Ctrl+Alt+A None", "+S None", "+Ctrl+X None"})
            QTest::newRow(keys) << QString::fromLatin1(keys);
    }

    void theShortcutKeys()
    {
        QFETCH(QString, keys);
        QStringList tokens = keys.split(u' ');
        const int command = QStringList{"None", "Add", "Edit", "Save", "Delete"}.indexOf(tokens.takeLast());
        bool deleteDown = false;
        KeyRouter::Command last = KeyRouter::Command::None;
        for (const QString& token : tokens) {
            const QString chord = token.mid(1).remove(u'*');
            const QKeyCombination k = chord == u"Ctrl" ? QKeyCombination(Qt::Key_Control) : QKeySequence(chord)[0];
            const QKeyEvent event(token[0] == u'+' ? QEvent::KeyPress : QEvent::KeyRelease, k.key(),
                                  k.keyboardModifiers(), QString(), token.contains(u'*'));
            last = KeyRouter::commandFor(event, deleteDown);
        }
        QCOMPARE(int(last), command);
    }

    void theShortcutsNeverReachTheTextBoxes()
    {
        Fixture fx;
        frmMain& w = open(fx);
        w.txtNormal->setFocus();
        w.txtNormal->setText(u"abc"_s);
        QTest::keyClick(w.txtNormal, Qt::Key_A, Qt::ControlModifier);        // a line edit would select all
        QVERIFY(!w.txtNormal->hasSelectedText() && w.SSPanel1->isVisible()); // but Add ran
        w.cmdCheck->setFocus(); // Esc from a control outside the panel hides it too
        QTest::keyClick(w.cmdCheck, Qt::Key_Escape);
        QVERIFY(!w.SSPanel1->isVisible());
    }

    // Each command that needs the key refuses with the one message while it has five digits (the box takes
    // nothing but digits), and does nothing else.
    void theUnlockKeyGuardsItsCommands_data()
    {
        QTest::addColumn<QString>("command");
        for (const char* command : {"entry click", "Add", "Edit", "Save", "Delete", "Check"})
            QTest::newRow(command) << QString::fromLatin1(command);
    }

    void theUnlockKeyGuardsItsCommands()
    {
        QFETCH(QString, command);
        Fixture fx;
        frmMain& w = open(fx, u"12345"_s);
        fx.clickNode(u"Banks"_s);
        fx.clickRow(w.lvURLs, 0);
        w.txtNormal->setText(u"plain"_s);
        w.state.CurWhat = What::Passwords;
        if (command == u"entry click")
            fx.clickRow(w.lvPasswords, 0);
        else if (command == u"Check")
            w.cmdCheck->click();
        else
            w.Buttons[QStringList{"", "Add", "Edit", "Save", "Delete"}.indexOf(command)]->trigger();
        const Prompt guard{u"Enter the UnLock-Key first\r\nand must be 6 digits in length."_s,
                           command == u"Delete" ? u"Dorvu"_s : u"Dorvu v4.0"_s};
        QCOMPARE(fx.prompter.shown, QList<Prompt>{guard});
        QVERIFY(fx.clipboard.sets == 0 && !w.SSPanel1->isVisible() &&
                w.txtEncrepted->text() == u"Encrypted text here !");
    }

    void theUnlockKeyBox()
    {
        Fixture fx;
        QFile file(QDir(fx.folder()).filePath(u"key.chk"_s));
        QVERIFY(file.open(QIODevice::WriteOnly) && file.write("first,\"acdefb\"\r\n") > 0);
        file.close();
        frmMain& w = open(fx, QString());
        const QString red = u"#ff0000 %1"_s.arg(img1616::KeyIncomplete);
        QCOMPARE(indicator(w), red);
        fx.clickNode(u"Banks"_s);
        QCoreApplication::processEvents();
        QCOMPARE(QApplication::focusWidget(), w.tvCategories); // no hold before the key's first change
        // Only digits reach the box, from any script's keys or pasted, and pasted ones before its limit cuts them.
        for (const QChar c : u"2x\u0661 .\uff123"_s) { // QTest::keyClicks takes Latin-1 only
            QKeyEvent press(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, QString(c));
            QCoreApplication::sendEvent(w.txtPass, &press);
        }
        QCOMPARE(w.txtPass->text(), u"23"_s);
        QGuiApplication::clipboard()->setText(u"4a5b6c1d7"_s);
        QTest::keyClick(w.txtPass, Qt::Key_V, Qt::ControlModifier);
        QCOMPARE(w.txtPass->text() + u' ' + indicator(w), u"234561 #008000 %1"_s.arg(img1616::KeyComplete));
        QCOMPARE(w.txtNormal->text(), u"abcdef"_s); // the check file's last field, deciphered
        QTest::keyClick(w.txtPass, Qt::Key_Backspace);
        QCOMPARE(indicator(w) + u' ' + w.txtNormal->text(), red + u" Normal text here !"_s);
        // The clicked control gets its click, then the focus goes back, until the key is complete.
        fx.clickRow(w.lvURLs, 0);
        QCOMPARE(w.txtSiteName->text(), u"Alpha"_s);
        QTRY_COMPARE(QApplication::focusWidget(), w.txtPass);
        QTest::keyClicks(w.txtPass, u"5"_s); // mistyped, but complete
        fx.clickRow(w.lvPasswords, 0);
        QVERIFY(fx.clipboard.text != u"abcdef"_s);
        // Put right, the key deciphers the entries on show again, and the entry is clicked again.
        QTest::mouseClick(w.txtPass, Qt::LeftButton);
        w.txtPass->end(false);
        QTest::keyClick(w.txtPass, Qt::Key_Backspace);
        QTest::keyClicks(w.txtPass, Key.right(1));
        QCoreApplication::processEvents();
        QVERIFY(list::selected(w.lvPasswords) == 0 && fx.clipboard.text == u"abcdef");
        QCOMPARE(QApplication::focusWidget(), w.lvPasswords);
    }

    void theCheckToolGoesThereAndBack_data()
    {
        QTest::addColumn<QStringList>("texts"); // typed, enciphered, deciphered back
        QTest::newRow("surrounding spaces are dropped") << QStringList{"   two words  ", "to wowdsr", "two words"};
        // The way back trims the enciphered text's final space too, so the check shows another text.
        QTest::newRow("a space moved to the end") << QStringList{"a bcde", "abcde ", "eabcd"};
    }

    // A box's placeholder goes when it is entered; left blank, the box shows it again.
    void theCheckToolGoesThereAndBack()
    {
        QFETCH(QStringList, texts);
        Fixture fx;
        frmMain& w = open(fx);
        QTest::mouseClick(w.txtNormal, Qt::LeftButton);
        QTest::keyClicks(w.txtNormal, texts[0]);
        QTest::mouseClick(w.cmdCheck, Qt::LeftButton);
        QCOMPARE(w.txtEncrepted->text(), texts[1]);
        QTest::mouseClick(w.txtNormal, Qt::LeftButton);
        w.txtNormal->setText(u"  "_s);
        QTest::mouseClick(w.cmdCheck, Qt::LeftButton); // the placeholder is back: Check deciphers
        QCOMPARE(QStringList({w.txtEncrepted->text(), w.txtNormal->text()}), texts.mid(1));
        w.cmdCheck->click(); // both boxes filled: which way?
        const Prompt which{u"Clear one of the text box ( Normal text ) or ( Encrypted text )"_s, u"Dorvu"_s};
        QCOMPARE(fx.prompter.shown, QList<Prompt>{which});
        QCOMPARE(w.txtNormal->text(), texts[2]);
    }

    // A store that cannot be used is reported, naming the file, and kept; an empty one shows the root alone.
    void startingUp()
    {
        QTemporaryDir dir; // the store's own tests cover each kind of bad store
        const QByteArray content = QByteArray("Standard Jet DB").leftJustified(2048, '\0');
        QFile file(dir.filePath(u"Dorvudb.mdb"_s));
        QVERIFY(file.open(QIODevice::WriteOnly) && file.write(content) == content.size());
        file.close();
        RecordingPrompter prompter;
        QVERIFY(!openStore(dir.path(), prompter));
        QVERIFY(prompter.shown.size() == 1 && prompter.shown[0].icon == Prompt::Icon::Stop);
        QVERIFY2(prompter.shown[0].text.contains(file.fileName()), qPrintable(prompter.shown[0].text));
        QVERIFY(file.open(QIODevice::ReadOnly) && file.readAll() == content);

        Fixture fx;
        QVERIFY(QDir(fx.folder()).mkdir(u"key.chk"_s)); // a key check "file" that cannot be read is said too
        frmMain& w = fx.open();
        const QModelIndex root = w.tvCategories->model()->index(0, 0);
        QCOMPARE(w.tvCategories->model()->rowCount() + w.tvCategories->model()->rowCount(root), 1);
        QCOMPARE(root.data().toString() + u' ' + w.sURLsCount->text(), u"Categories 0 Site(s)"_s);
        QCOMPARE(pictureOf(root), img1616::Root);
        QVERIFY(w.tvCategories->selectionModel()->isSelected(root) && !w.SSPanel1->isVisible());
        QTRY_COMPARE(QApplication::focusWidget(), w.tvCategories);
        QTest::keyClicks(w.txtPass, Key);
        QVERIFY(fx.prompter.shown.size() == 1 &&
                fx.prompter.texts()[0].contains(QDir(fx.folder()).filePath(u"key.chk"_s)));
    }

    // Each showing is centred on the parent; Contents opens the program folder's help file, unchecked, and stays.
    void theAboutBox()
    {
        RecordingShell shell;
        QWidget parent;
        parent.show();
        QVERIFY(QTest::qWaitForWindowExposed(&parent));
        frmAbout about(u"/opt/My Programs/Dorvu/"_s, shell, &parent);
        for (const QRect& place : {QRect(40, 50, 600, 400), QRect(200, 150, 560, 420)}) {
            parent.setGeometry(place);
            QTRY_COMPARE(parent.geometry(), place);
            about.show();
            QVERIFY(QTest::qWaitForWindowExposed(&about));
            QVERIFY((about.frameGeometry().center() - parent.frameGeometry().center()).manhattanLength() <= 2);
            QTest::mouseClick(about.findChild<QPushButton*>(u"cmdContents"_s), Qt::LeftButton);
            QVERIFY(about.isVisible());
            about.accept();
        }
        QCOMPARE(nameless(about), QStringList());
        QCOMPARE(shell.files, QStringList(2, u"/opt/My Programs/Dorvu/dorvu.chm"_s));
    }

    void captionsFitAndNothingOverlaps_data()
    {
        QTest::addColumn<int>("points");
        QTest::newRow("9 pt") << 9;
        QTest::newRow("11 pt") << 11;
    }

    // Designed, grown and pushed below the minimum: captions whole, nothing over another, the views to the edges.
    void captionsFitAndNothingOverlaps()
    {
        QFETCH(int, points);
        const QFont font = QApplication::font();
        const auto restore = qScopeGuard([font] { QApplication::setFont(font); });
        QApplication::setFont(QFont(font.family(), points));
        Fixture fx;
        frmMain& w = fx.open();
        w.panel->show();
        w.sURLsCount->setText(u"100000 Site(s)"_s);
        QCOMPARE(nameless(w), QStringList()); // panel open: every control on show
        QList<QLabel*> captions{w.SSPanel4, w.SSPanel2, w.SSPanel3, w.Label1, w.sURLsCount};
        captions.append(QList<QLabel*>(w.SSPanel5.begin(), w.SSPanel5.end()));
        const QList<const QWidget*> over{w.txtPass, w.SSPanel1, w.cmdX}; // lie over others by design
        for (const int grow : {0, 1005, -3000}) {
            w.resize(twips::toPixels(layout::MinWidth - layout::FrameWidth + grow),
                     twips::toPixels(layout::MinHeight - layout::FrameHeight + grow));
            QTRY_COMPARE(w.outerWidth(), layout::MinWidth + std::max(grow, 0));
            for (const QLabel* label : captions) { // the strip's caption ends before the key box lying over it
                const int end = label == w.SSPanel2 ? w.txtPass->x() : label->x() + label->width();
                QVERIFY2(label->x() + label->sizeHint().width() <= end, qPrintable(label->text()));
            }
            QVERIFY(w.cmdCheck->sizeHint().width() <= w.cmdCheck->width());
            for (const QTreeView* list : {w.lvURLs, w.lvPasswords}) {
                for (int c = 0; c < list->model()->columnCount(); ++c)
                    QVERIFY(list->header()->sectionSizeHint(c) <= list->header()->sectionSize(c));
            }
            for (const QWidget* parent : std::initializer_list<const QWidget*>{&w, w.SSPanel1, w.SSPanel2}) {
                const QList<QWidget*> children = parent->findChildren<QWidget*>(Qt::FindDirectChildrenOnly);
                for (const QWidget* a : children) {
                    QVERIFY(!a->isVisible() || parent->rect().contains(a->geometry()));
                    for (const QWidget* b : children) {
                        const bool apart =
                            a == b || !a->isVisible() || !b->isVisible() || over.contains(a) || over.contains(b);
                        QVERIFY2(apart || !a->geometry().intersects(b->geometry()),
                                 qPrintable(a->objectName() + u' ' + b->objectName()));
                    }
                }
            }
            for (const QTreeView* view : {w.tvCategories, w.lvURLs, w.lvPasswords}) // to the right edge or the bottom
                QVERIFY(std::min(w.width() - view->geometry().right(), w.height() - view->geometry().bottom()) <= 8);
        }
    }
};

DORVU_TEST_MAIN(TestWindow)
#include "tst_window.moc"
