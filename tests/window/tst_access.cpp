#include "about/frmAbout.h"
#include "support/Fixture.h"
#include "views/PanelPort.h"
#include "support/TestMain.h"

#include <QAccessible>
#include <QLabel>

namespace {

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

class TestAccess : public QObject {
    Q_OBJECT

private slots:
    void everyControlHasAName()
    {
        Fixture fx;
        frmMain& w = fx.open();
        w.panel->NewWhat(What::Categories);
        QCOMPARE(nameless(w), QStringList());
        frmAbout about(fx.folder(), fx.shell, &w);
        QCOMPARE(nameless(about), QStringList());
    }
};

DORVU_TEST_MAIN(TestAccess)
#include "tst_access.moc"
