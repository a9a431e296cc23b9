#include "window/frmMain.h"

#include "edit/EditCommands.h"
#include "edit/EditPanel.h"
#include "edit/RecordDeleter.h"
#include "edit/RecordSaver.h"
#include "edit/SiteMover.h"
#include "edit/SiteStars.h"
#include "edit/TextLimit.h"
#include "edit/ToolbarCommands.h"
#include "platform/Pictures.h"
#include "platform/Prompter.h"
#include "platform/Twips.h"
#include "views/CategoryTree.h"
#include "views/PasswordsList.h"
#include "views/SitesList.h"
#include "views/UnlockKey.h"
#include "views/ViewItems.h"
#include "views/ViewLoader.h"
#include "window/CheckTool.h"
#include "window/KeyRouter.h"
#include "window/Layout.h"
#include "window/PanelDrag.h"

#include <QAction>
#include <QApplication>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QResizeEvent>
#include <QScreen>
#include <QToolBar>
#include <QToolButton>
#include <QTreeView>
#include <algorithm>

namespace {

QLabel* captionPanel(const QString& caption, QWidget* parent, const char* name)
{
    auto* panel = new QLabel(caption, parent);
    panel->setObjectName(QLatin1String(name));
    panel->setFrameStyle(QFrame::Panel | QFrame::Raised);
    panel->setAlignment(Qt::AlignCenter);
    return panel;
}

template <typename Box> Box* textBox(QWidget* parent, const char* name, const QString& accessibleName)
{
    auto* box = new Box(parent);
    box->setObjectName(QLatin1String(name));
    box->setAccessibleName(accessibleName);
    return box;
}

void place(QWidget* widget, const QRect& designed)
{
    widget->setGeometry(twips::toPixels(designed));
}

// Designed widths were measured for another font. A caption grows from its designed width as far as its text
// needs, but never past `limit` (the left edge of the box beside it, which keeps its place); where even that is
// too narrow, the caption's font shrinks instead (its children keep theirs). The layout never changes these
// widths, so a resize keeps them.
void fitCaption(QLabel* caption, int limit)
{
    const int room = limit - caption->x();
    QFont font = caption->font();
    if (caption->sizeHint().width() > room) {
        for (QWidget* child : caption->findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
            QFont own = child->font();
            own.setPointSizeF(own.pointSizeF()); // set, no longer inherited
            child->setFont(own);
        }
    }
    while (caption->sizeHint().width() > room && font.pointSizeF() > 6) {
        font.setPointSizeF(font.pointSizeF() - 0.5);
        caption->setFont(font);
    }
    const int width = std::clamp(caption->sizeHint().width(), caption->width(), std::max(caption->width(), room));
    caption->resize(width, caption->height());
}

void setColumnWidths(QTreeView* view, const auto& widths)
{
    for (int c = 0; c < int(widths.size()); ++c)
        view->setColumnWidth(c, twips::toPixels(widths[c]));
}

} // namespace

frmMain::frmMain(const QString& folder, Connection& connection, Services services, QWidget* parent)
    : QWidget(parent), Form(folder, connection, services)
{
    setObjectName(QStringLiteral("frmMain"));
    setWindowTitle(caption());
    setWindowIcon(img1616::windowIcon());
    createControls();
    placeDesigned();
    // The hidden registers only display the state's codes.
    connect(&state, &WindowState::registersChanged, this, [this] {
        const auto show = [](QLabel* label, const auto& code) {
            label->setText(code ? QString::number(*code) : QString());
        };
        show(lblCatCode, state.registers().catCode);
        show(lblSiteCode, state.registers().siteCode);
        show(lblSer, state.registers().ser);
    });
    createSubsystems();
}

void frmMain::createSubsystems()
{
    // Each is handed the form as it is built, so a later one may reach an earlier one.
    const auto make = [this]<typename T>(std::unique_ptr<T>& owner, auto*& shared) {
        owner = std::make_unique<T>(static_cast<Form&>(*this));
        shared = owner.get();
    };
    make(m_views, views);
    make(m_tree, tree);
    make(m_sites, sites);
    make(m_passwords, passwords);
    make(m_unlockKey, unlockKey);
    m_checkTool = std::make_unique<CheckTool>(*this);
    make(m_panel, panel);
    make(m_saver, saver);
    make(m_deleter, deleter);
    make(m_commands, commands);
    make(m_stars, stars);
    make(m_mover, mover);
    m_toolbar = std::make_unique<ToolbarCommands>(*this);
    m_keys = std::make_unique<KeyRouter>(*this);
    m_drag = std::make_unique<PanelDrag>(*this);
}

frmMain::~frmMain() = default;

void frmMain::createControls()
{
    createToolbar();
    createStrip();
    createViews();
    createEditPanel();
    createMenu();

    setMinimumSize(
        twips::toPixels(QSize(layout::MinWidth - layout::FrameWidth, layout::MinHeight - layout::FrameHeight)));
    setTabOrder(tvCategories, lvURLs);
    setTabOrder(lvURLs, lvPasswords);
    setTabOrder(lvPasswords, txtCatName);
    setTabOrder(txtCatName, txtSiteName);
    setTabOrder(txtSiteName, txtURL);
    setTabOrder(txtURL, txtSiteDesc);
    setTabOrder(txtSiteDesc, txtUserID);
    setTabOrder(txtUserID, txtPassword);
    setTabOrder(txtPassword, txtPWDesc);
    setTabOrder(txtPWDesc, cmdX);
    setTabOrder(cmdX, txtPass);
    setTabOrder(txtPass, txtNormal);
    setTabOrder(txtNormal, cmdCheck);
    setTabOrder(cmdCheck, txtEncrepted);
}

void frmMain::createToolbar()
{
    struct Button {
        int index;
        const char* caption;
        const char* tip;
        int picture;
    };
    static const Button buttons[] = {
        {1, "Add", "Ctrl+A to Add New", img1616::Add},
        {2, "Edit", "Ctrl+E to Edit", img1616::Edit},
        {3, "Save", "Ctrl+S to Save", img1616::Save},
        {4, "Delete", "Ctrl+D to Delete", img1616::Delete},
        {5, nullptr, nullptr, 0},
        {6, "+Star", "Add star to site rank", img1616::AddStar},
        {7, "-Star", "Subtract star from site rank", img1616::DeleteStar},
        {8, nullptr, nullptr, 0},
        {9, "Move", "Moving sites from category", img1616::Move},
        {10, nullptr, nullptr, 0},
        {11, "Go", "Go to Site", img1616::Go},
        {12, nullptr, nullptr, 0},
        {13, "Clear", "Clear Clipboard", img1616::ClearClipboard},
        {14, nullptr, nullptr, 0},
        {15, "Help", "Help", img1616::Help},
        {16, nullptr, nullptr, 0},
        {17, "Exit", "End Dorvu", img1616::Exit},
    };
    Toolbar1 = new QToolBar(this);
    Toolbar1->setObjectName(QStringLiteral("Toolbar1"));
    Toolbar1->setAccessibleName(QStringLiteral("Commands"));
    Toolbar1->setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
    Toolbar1->setIconSize(QSize(16, 16));
    Toolbar1->setMovable(false);
    // Picture and caption must fit the designed height of the bar.
    Toolbar1->setStyleSheet(
        QStringLiteral("QToolBar { padding: 0px; spacing: 0px; } QToolButton { padding: 0px 3px; }"));
    QFont small = Toolbar1->font();
    small.setPointSizeF(small.pointSizeF() * 0.85);
    Toolbar1->setFont(small);
    Toolbar1->setFloatable(false);
    for (const Button& b : buttons) {
        QAction* action = b.caption ? Toolbar1->addAction(img1616::picture(b.picture), QLatin1String(b.caption))
                                    : Toolbar1->addSeparator();
        action->setObjectName(QStringLiteral("Button%1").arg(b.index));
        action->setProperty("Index", b.index);
        if (b.caption) {
            action->setToolTip(QLatin1String(b.tip));
            action->setProperty("pictureIndex", b.picture);
        }
        Buttons[b.index] = action;
    }
    Buttons[9]->setCheckable(true);
    // The toolbar is a mouse route; the keyboard has the shortcuts, so its buttons take no focus.
    for (QToolButton* button : Toolbar1->findChildren<QToolButton*>())
        button->setFocusPolicy(Qt::NoFocus);
}

void frmMain::createStrip()
{
    SSPanel2 = new QLabel(QStringLiteral("       UnLock-Key"), this);
    SSPanel2->setObjectName(QStringLiteral("SSPanel2"));
    SSPanel2->setFrameStyle(QFrame::Panel | QFrame::Raised);
    SSPanel2->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);

    Image1 = new QLabel(SSPanel2);
    Image1->setObjectName(QStringLiteral("Image1"));
    Image1->setAccessibleName(QStringLiteral("Unlock key complete"));

    txtPass = textBox<QLineEdit>(this, "txtPass", QStringLiteral("Unlock key"));
    txtPass->setMaxLength(6);
    txtPass->setEchoMode(QLineEdit::Password);
    txtPass->setStyleSheet(QStringLiteral("QLineEdit { lineedit-password-character: 42; }"));

    SSPanel3 = captionPanel(QStringLiteral("Key Check"), SSPanel2, "SSPanel3");
    QFont small = SSPanel3->font();
    small.setPointSizeF(small.pointSizeF() * 0.85);
    SSPanel3->setFont(small);
    txtNormal = textBox<QLineEdit>(SSPanel2, "txtNormal", QStringLiteral("Normal text"));
    txtNormal->setText(QStringLiteral("Normal text here !"));
    cmdCheck = new QPushButton(QStringLiteral("Check"), SSPanel2);
    cmdCheck->setObjectName(QStringLiteral("cmdCheck"));
    cmdCheck->setToolTip(QStringLiteral("This is a two way check."));
    txtEncrepted = textBox<QLineEdit>(SSPanel2, "txtEncrepted", QStringLiteral("Encrypted text"));
    txtEncrepted->setText(QStringLiteral("Encrypted text here !"));
}

void frmMain::createViews()
{
    tvCategories = new QTreeView(this);
    tvCategories->setObjectName(QStringLiteral("tvCategories"));
    tvCategories->setAccessibleName(QStringLiteral("Categories"));
    tvCategories->setHeaderHidden(true);
    tvCategories->setModel(&categoryModel);
    tvCategories->setUniformRowHeights(true);
    tvCategories->setIconSize(QSize(16, 16));

    lvURLs = new QTreeView(this);
    lvURLs->setObjectName(QStringLiteral("lvURLs"));
    lvURLs->setAccessibleName(QStringLiteral("Sites"));
    lvURLs->setToolTip(QStringLiteral("Double click to go to web site."));
    lvURLs->setModel(&sitesModel);
    setColumnWidths(lvURLs, layout::designed::lvURLsColumns);

    lvPasswords = new QTreeView(this);
    lvPasswords->setObjectName(QStringLiteral("lvPasswords"));
    lvPasswords->setAccessibleName(QStringLiteral("Passwords"));
    lvPasswords->setToolTip(QStringLiteral("Click to copy the password to clipboard."));
    lvPasswords->setModel(&passwordsModel);
    setColumnWidths(lvPasswords, layout::designed::lvPasswordsColumns);

    for (QTreeView* list : {lvURLs, lvPasswords}) {
        list->setRootIsDecorated(false);
        list->setUniformRowHeights(true);
        list->setAllColumnsShowFocus(true);
        list->setSelectionMode(QAbstractItemView::SingleSelection);
        list->setIconSize(QSize(16, 16));
        list->header()->setSectionsClickable(true);
        list->header()->setSortIndicatorShown(false);
        list->header()->setSectionsMovable(false);
    }
    for (QTreeView* view : {tvCategories, lvURLs, lvPasswords})
        setBorderStyle(view, 0);

    sURLsCount = new QLabel(QStringLiteral("0 Site(s)"), this);
    sURLsCount->setObjectName(QStringLiteral("sURLsCount"));
    sURLsCount->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    sURLsCount->setIndent(4);
}

void frmMain::createEditPanel()
{
    SSPanel1 = new QFrame(this);
    SSPanel1->setObjectName(QStringLiteral("SSPanel1"));
    SSPanel1->setAccessibleName(QStringLiteral("Edit panel"));
    SSPanel1->setFrameStyle(QFrame::Panel | QFrame::Raised);
    SSPanel1->setAutoFillBackground(true);

    SSPanel4 = captionPanel(QStringLiteral("[ Add / Edit ] Panel"), SSPanel1, "SSPanel4");
    SSPanel4->setAutoFillBackground(true);
    SSPanel4->setBackgroundRole(QPalette::Highlight);
    SSPanel4->setForegroundRole(QPalette::HighlightedText);

    cmdX = new QToolButton(SSPanel1);
    cmdX->setObjectName(QStringLiteral("cmdX"));
    cmdX->setText(QStringLiteral("X"));
    cmdX->setToolTip(QStringLiteral("Close (ESC key)"));
    cmdX->setAccessibleName(QStringLiteral("Close"));
    cmdX->setCursor(Qt::ArrowCursor);

    static const char* const captions[] = {"Category", "Site Name", "Site URL", "Site Desc.",
                                           "User ID",  "Password",  "Pwd Desc."};
    for (int i = 0; i < 7; ++i) {
        SSPanel5[i] = captionPanel(QLatin1String(captions[i]), SSPanel1, "SSPanel5");
        SSPanel5[i]->setProperty("Index", i);
    }

    txtCatName = textBox<QLineEdit>(SSPanel1, "txtCatName", QStringLiteral("Category name"));
    txtSiteName = textBox<QLineEdit>(SSPanel1, "txtSiteName", QStringLiteral("Site name"));
    txtURL = textBox<QLineEdit>(SSPanel1, "txtURL", QStringLiteral("Site address"));
    txtSiteDesc = textBox<QPlainTextEdit>(SSPanel1, "txtSiteDesc", QStringLiteral("Site description"));
    txtSiteDesc->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    txtSiteDesc->setTabChangesFocus(true);
    txtUserID = textBox<QLineEdit>(SSPanel1, "txtUserID", QStringLiteral("User ID"));
    txtPassword = textBox<QLineEdit>(SSPanel1, "txtPassword", QStringLiteral("Password"));
    txtPassword->setEchoMode(QLineEdit::Password);
    txtPassword->setStyleSheet(QStringLiteral("QLineEdit { lineedit-password-character: 42; }"));
    txtPWDesc = textBox<QLineEdit>(SSPanel1, "txtPWDesc", QStringLiteral("Password description"));
    txtCatName->setMaxLength(50);
    txtSiteName->setMaxLength(200);
    txtURL->setMaxLength(500);
    txtUserID->setMaxLength(25);
    txtPassword->setMaxLength(25);
    txtPWDesc->setMaxLength(500);
    for (QLineEdit* box : {txtCatName, txtSiteName, txtURL, txtUserID, txtPassword, txtPWDesc})
        keepWholeCharacters(box);

    lblPL = new QLabel(SSPanel1);
    lblPL->setObjectName(QStringLiteral("lblPL"));
    lblPL->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    Label1 = new QLabel(QStringLiteral("Character(s)"), SSPanel1);
    Label1->setObjectName(QStringLiteral("Label1"));
    lblCatCode = new QLabel(SSPanel1);
    lblCatCode->setObjectName(QStringLiteral("lblCatCode"));
    lblSiteCode = new QLabel(SSPanel1);
    lblSiteCode->setObjectName(QStringLiteral("lblSiteCode"));
    lblSer = new QLabel(SSPanel1);
    lblSer->setObjectName(QStringLiteral("lblSer"));
    for (QLabel* code : {lblCatCode, lblSiteCode, lblSer})
        code->setVisible(false);

    SSPanel1->setVisible(false);
}

void frmMain::createMenu()
{
    // A second route to the four commands; never shown, and without shortcut keys of its own.
    menuBar = new QMenuBar(this);
    menuBar->setObjectName(QStringLiteral("menuBar"));
    M1 = menuBar->addMenu(QStringLiteral("&File"));
    M1->setObjectName(QStringLiteral("M1"));
    static const char* const captions[] = {"&Add", "&Edit", "&Save", "&Delete"};
    for (int i = 0; i < 4; ++i) {
        M1S[i] = M1->addAction(QLatin1String(captions[i]));
        M1S[i]->setObjectName(QStringLiteral("M1S"));
        M1S[i]->setProperty("Index", i);
    }
    menuBar->setVisible(false);
}

void frmMain::placeDesigned()
{
    using namespace layout::designed;
    place(Toolbar1, layout::designed::Toolbar1);
    place(SSPanel2, layout::designed::SSPanel2);
    place(txtPass, layout::designed::txtPass);
    place(Image1, layout::designed::Image1);
    place(SSPanel3, layout::designed::SSPanel3);
    place(txtNormal, layout::designed::txtNormal);
    place(txtEncrepted, layout::designed::txtEncrepted);
    place(cmdCheck, layout::designed::cmdCheck);
    place(tvCategories, layout::designed::tvCategories);
    place(lvURLs, layout::designed::lvURLs);
    place(sURLsCount, layout::designed::sURLsCount);
    place(lvPasswords, layout::designed::lvPasswords);
    place(SSPanel1, layout::designed::SSPanel1);
    place(SSPanel4, layout::designed::SSPanel4);
    place(cmdX, layout::designed::cmdX);
    for (int i = 0; i < 7; ++i)
        place(SSPanel5[i], layout::designed::SSPanel5[i]);
    place(txtCatName, layout::designed::txtCatName);
    place(txtSiteName, layout::designed::txtSiteName);
    place(txtURL, layout::designed::txtURL);
    place(txtSiteDesc, layout::designed::txtSiteDesc);
    place(txtUserID, layout::designed::txtUserID);
    place(txtPassword, layout::designed::txtPassword);
    place(txtPWDesc, layout::designed::txtPWDesc);
    place(lblPL, layout::designed::lblPL);
    place(Label1, layout::designed::Label1);
    place(lblCatCode, layout::designed::lblCatCode);
    place(lblSiteCode, layout::designed::lblSiteCode);
    place(lblSer, layout::designed::lblSer);
    const std::array<QWidget*, 7> boxes{txtCatName, txtSiteName, txtURL,   txtSiteDesc,
                                        txtUserID,  txtPassword, txtPWDesc};
    for (int i = 0; i < 7; ++i)
        fitCaption(SSPanel5[i], boxes[i]->x());
    fitCaption(Label1, SSPanel1->contentsRect().right() + 1);
    fitCaption(SSPanel2, txtPass->x()); // the strip's caption ends before the unlock-key box that lies over it
    fitCaption(SSPanel3, txtNormal->x());
    txtPass->raise();
    cmdX->raise();

    resize(twips::toPixels(QSize(layout::MinWidth - layout::FrameWidth, layout::MinHeight - layout::FrameHeight)));
    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        QRect frame = geometry();
        frame.moveCenter(screen->availableGeometry().center());
        move(frame.topLeft());
    }
}

void frmMain::startUp()
{
    views->Load(What::Categories);
    const QModelIndex root = categoryModel.root();
    if (categoryModel.nodeCount() > 1)
        tvCategories->expand(root);
    m_tree->select(root);
    state.SelNodeIndex = 0;
    tvCategories->setFocus();
}

int frmMain::outerWidth() const
{
    return twips::fromPixels(width()) + layout::FrameWidth;
}

int frmMain::outerHeight() const
{
    return twips::fromPixels(height()) + layout::FrameHeight;
}

void frmMain::arrange()
{
    if (m_arranging)
        return;
    m_arranging = true;
    layout::Input in;
    in.W = outerWidth();
    in.H = outerHeight();
    in.minimized = isMinimized();
    in.treeHeight = twips::fromPixels(tvCategories->height());
    in.sitesWidth = twips::fromPixels(lvURLs->width());
    in.panelVisible = panel->isOpen();
    in.panel = twips::fromPixels(SSPanel1->geometry());
    const layout::Result r = layout::compute(in);
    if (r.apply) {
        auto setHeight = [](QWidget* w, int t) { w->resize(w->width(), twips::toPixels(t)); };
        auto setWidth = [](QWidget* w, int t) { w->resize(twips::toPixels(t), w->height()); };
        auto setTop = [](QWidget* w, int t) { w->move(w->x(), twips::toPixels(t)); };
        setHeight(tvCategories, r.treeHeight);
        lvURLs->resize(twips::toPixels(r.sitesWidth), twips::toPixels(r.sitesHeight));
        setTop(sURLsCount, r.countTop);
        setWidth(sURLsCount, r.countWidth);
        setTop(lvPasswords, r.passwordsTop);
        lvPasswords->resize(twips::toPixels(r.passwordsWidth), twips::toPixels(r.passwordsHeight));
        setWidth(SSPanel2, r.stripWidth);
        setWidth(cmdCheck, r.cmdCheckWidth);
        SSPanel1->move(twips::toPixels(r.panelPos.x()), twips::toPixels(r.panelPos.y()));
    }
    m_arranging = false;
    if (r.apply && (r.W != in.W || r.H != in.H))
        resize(twips::toPixels(r.W - layout::FrameWidth), twips::toPixels(r.H - layout::FrameHeight));
}

void frmMain::arrPan()
{
    const QPoint topLeft = layout::arrPan(outerWidth(), outerHeight(), twips::fromPixels(SSPanel1->size()));
    SSPanel1->move(twips::toPixels(topLeft.x()), twips::toPixels(topLeft.y()));
}

void frmMain::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    arrange();
}

void frmMain::showEvent(QShowEvent* event)
{
    QWidget::showEvent(event);
    arrange();
}

void frmMain::changeEvent(QEvent* event)
{
    QWidget::changeEvent(event);
    if (event->type() == QEvent::ActivationChange || event->type() == QEvent::WindowStateChange)
        arrange();
}
