#include "about/frmAbout.h"

#include "platform/Pictures.h"
#include "platform/Shell.h"
#include "platform/Twips.h"

#include <QColor>
#include <QDir>
#include <QFont>
#include <QFrame>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QShowEvent>
#include <algorithm>

namespace {

// Places in twips: left, top, width, height.
constexpr QRect DialogSize{0, 0, 5730, 3120};
constexpr QRect IconPlace{360, 360, 480, 480};
constexpr QRect TitlePlace{1080, 240, 3885, 600};
constexpr QRect DescriptionPlace{1080, 1080, 3885, 570};
constexpr QRect AuthorPlace{1080, 1680, 3855, 255};
constexpr QRect ContactPlace{1080, 2040, 3255, 375};
constexpr QRect ContentsPlace{2880, 2625, 1260, 345};
constexpr QRect OKPlace{4245, 2625, 1260, 345};
// The separator above the buttons is etched: a dark line with a light one just under it.
constexpr QRect DarkLinePlace{240, 2520, 5250, 15};
constexpr QRect LightLinePlace{240, 2535, 5250, 15};

constexpr int IconPixels = 32;

const QColor Blue(0, 0, 255);
const QColor DarkRed(128, 0, 0);
const QColor Green(0, 128, 0);

QFont serifFont(const QFont& base, int pointSize, bool bold)
{
    QFont font(base);
    font.setFamilies({QStringLiteral("Times New Roman"), QStringLiteral("DejaVu Serif"), QStringLiteral("serif")});
    font.setStyleHint(QFont::Serif);
    font.setPointSize(pointSize);
    font.setBold(bold);
    return font;
}

void setTextColour(QWidget* widget, const QColor& colour)
{
    QPalette palette = widget->palette();
    palette.setColor(QPalette::WindowText, colour);
    widget->setPalette(palette);
}

QLabel* makeLabel(QWidget* parent, const char* name, const QString& text, const QRect& place, const QColor& colour)
{
    auto* label = new QLabel(text, parent);
    label->setObjectName(QLatin1String(name));
    label->setGeometry(twips::toPixels(place));
    label->setWordWrap(true);
    label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    setTextColour(label, colour);
    return label;
}

QPushButton* makeButton(QWidget* parent, const char* name, const QString& caption, const QRect& place)
{
    auto* button = new QPushButton(caption, parent);
    button->setObjectName(QLatin1String(name));
    button->setGeometry(twips::toPixels(place));
    return button;
}

QFrame* makeLine(QWidget* parent, const QRect& place, QPalette::ColorRole shade)
{
    auto* line = new QFrame(parent);
    line->setObjectName(QStringLiteral("Line1"));
    line->setAccessibleName(QStringLiteral("Separator"));
    line->setFrameShape(QFrame::HLine);
    line->setFrameShadow(QFrame::Plain);
    line->setLineWidth(1);
    QRect pixels = twips::toPixels(place);
    pixels.setHeight(1);
    line->setGeometry(pixels);
    setTextColour(line, line->palette().color(shade));
    return line;
}

} // namespace

frmAbout::frmAbout(const QString& programFolder, Shell& shell, QWidget* parent)
    : QDialog(parent), m_programFolder(programFolder), m_shell(shell)
{
    setObjectName(QStringLiteral("frmAbout"));
    setWindowTitle(QStringLiteral("About"));
    setWindowFlag(Qt::MSWindowsFixedSizeDialogHint, true);
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);
    setFixedSize(twips::toPixels(DialogSize).size());
    setSizeGripEnabled(false);

    // The buttons come first, so that OK leads the tab order and holds the focus when the box opens.
    QPushButton* cmdOK = makeButton(this, "cmdOK", QStringLiteral("OK"), OKPlace);
    QPushButton* cmdContents = makeButton(this, "cmdContents", QStringLiteral("Contents"), ContentsPlace);
    cmdOK->setDefault(true);
    setTabOrder(cmdOK, cmdContents);
    cmdOK->setFocus(Qt::OtherFocusReason);

    auto* image = new QLabel(this);
    image->setObjectName(QStringLiteral("Image1"));
    image->setGeometry(twips::toPixels(IconPlace));
    image->setAlignment(Qt::AlignCenter);
    image->setPixmap(img1616::windowIcon().pixmap(IconPixels, IconPixels));
    image->setAccessibleName(QStringLiteral("Dorvu icon"));

    QLabel* title = makeLabel(this, "lblTitle", QStringLiteral("Dorvu v4.0"), TitlePlace, Blue);
    title->setFont(serifFont(font(), 18, true));
    title->setWordWrap(false);

    makeLabel(this, "lblDescription", QStringLiteral("Any bugs or suggestions please send e-mail to me."),
              DescriptionPlace, DarkRed);

    QLabel* author = makeLabel(this, "Label1", QStringLiteral("Written by the Dorvu developers"), AuthorPlace, Green);
    author->setFont(serifFont(font(), 9, false));

    QLabel* contact = makeLabel(this, "Label3", QStringLiteral("dorvu@users.noreply.invalid"), ContactPlace, Blue);
    // The address can be selected with the mouse and copied; the label stays out of the tab order.
    contact->setTextInteractionFlags(Qt::TextSelectableByMouse);

    makeLine(this, DarkLinePlace, QPalette::Mid);
    makeLine(this, LightLinePlace, QPalette::Light);

    connect(cmdOK, &QPushButton::clicked, this, &QDialog::accept);
    connect(cmdContents, &QPushButton::clicked, this, &frmAbout::openContents);
}

void frmAbout::showEvent(QShowEvent* event)
{
    // Spontaneous show events come from the window system (a restore from minimised): the box keeps its place then.
    if (!event->spontaneous())
        centreOnParent();
    QDialog::showEvent(event);
}

void frmAbout::openContents()
{
    // The shell reports nothing back: a missing file or a missing viewer gives no message, and the box stays open.
    m_shell.openFile(QDir(m_programFolder).filePath(QStringLiteral("dorvu.chm")));
}

void frmAbout::centreOnParent()
{
    const QWidget* owner = parentWidget() ? parentWidget()->window() : nullptr;
    if (!owner)
        return;
    const QRect ownerFrame = owner->frameGeometry();
    // Before the first show the window system has not framed the box yet; assume the owner's frame.
    QSize outer = frameGeometry().size();
    if (outer == size())
        outer += ownerFrame.size() - owner->size();
    QPoint topLeft(ownerFrame.x() + (ownerFrame.width() - outer.width()) / 2,
                   ownerFrame.y() + (ownerFrame.height() - outer.height()) / 2);
    // An owner partly off the screen must not push the box out of reach.
    if (const QScreen* screen = owner->screen()) {
        const QRect area = screen->availableGeometry();
        topLeft.setX(std::clamp(topLeft.x(), area.left(), std::max(area.left(), area.right() + 1 - outer.width())));
        topLeft.setY(std::clamp(topLeft.y(), area.top(), std::max(area.top(), area.bottom() + 1 - outer.height())));
    }
    move(topLeft);
}
