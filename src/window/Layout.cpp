#include "window/Layout.h"

#include <algorithm>
#include <cmath>

namespace layout {

namespace {

// What the rules set when a view has shrunk below its designed size, and after an impossible geometry. The widths
// are the original program's (strip 6670, cmdCheck 1215), narrower than the designed table; the next layout
// stretches them again.
constexpr int ResetTreeHeight = 5640, ResetSitesHeight = 3960, ResetCountTop = 4860, ResetPasswordsTop = 5145;
constexpr int ResetStripWidth = 6670, ResetSitesWidth = 6690, ResetCountWidth = 6670, ResetPasswordsWidth = 6690;
constexpr int ResetCmdCheckWidth = 1215;

// Outer size minus the fixed parts above, below and beside each stretching control.
constexpr int TreeHeightMargin = 1290, SitesHeightMargin = 3000;
constexpr int CountGap = 50, PasswordsGap = 40;
constexpr int StripMargin = 100 + 20, CmdCheckMargin = 20;
constexpr int ListWidthMargin = 125, CountWidthMargin = 100 + 20;
constexpr int ArrPanDrop = 30;

// Centring can leave half a twip over; round it to the nearest twip, a half upward.
int centred(int outer, int inner)
{
    return static_cast<int>(std::floor((outer - inner) / 2.0 + 0.5));
}

int pinned(int value, int far)
{
    if (value <= 0)
        return 0;
    return value < far ? value : far;
}

Result reset(const Input& in)
{
    Result r;
    r.apply = true;
    r.W = MinWidth;
    r.H = MinHeight;
    r.treeHeight = ResetTreeHeight;
    r.sitesHeight = ResetSitesHeight;
    r.countTop = ResetCountTop;
    r.passwordsTop = ResetPasswordsTop;
    r.passwordsHeight = designed::lvPasswords.height();
    r.stripWidth = ResetStripWidth;
    r.sitesWidth = ResetSitesWidth;
    r.countWidth = ResetCountWidth;
    r.passwordsWidth = ResetPasswordsWidth;
    r.cmdCheckWidth = ResetCmdCheckWidth;
    r.panelPos = in.panel.topLeft();
    return r;
}

} // namespace

Result compute(const Input& in)
{
    Result r;
    r.W = in.W;
    r.H = in.H;
    if (in.minimized)
        return r;
    r.apply = true;

    if (in.treeHeight < designed::tvCategories.height()) {
        r.treeHeight = ResetTreeHeight;
        r.sitesHeight = ResetSitesHeight;
        r.countTop = ResetCountTop;
        r.passwordsTop = ResetPasswordsTop;
    } else {
        r.treeHeight = in.H - TreeHeightMargin;
        r.sitesHeight = in.H - SitesHeightMargin;
        r.countTop = designed::lvURLs.top() + r.sitesHeight + CountGap;
        r.passwordsTop = r.countTop + designed::sURLsCount.height() + PasswordsGap;
    }
    r.passwordsHeight = designed::lvPasswords.height();

    if (in.sitesWidth < designed::lvURLs.width()) {
        r.stripWidth = ResetStripWidth;
        r.sitesWidth = ResetSitesWidth;
        r.countWidth = ResetCountWidth;
        r.passwordsWidth = ResetPasswordsWidth;
        r.cmdCheckWidth = ResetCmdCheckWidth;
    } else {
        r.stripWidth = in.W - StripMargin;
        r.cmdCheckWidth = r.stripWidth - designed::cmdCheck.left() - CmdCheckMargin;
        r.sitesWidth = in.W - designed::lvURLs.left() - ListWidthMargin;
        r.countWidth = in.W - designed::sURLsCount.left() - CountWidthMargin;
        r.passwordsWidth = in.W - designed::lvPasswords.left() - ListWidthMargin;
    }

    const bool impossible = r.treeHeight < 0 || r.sitesHeight < 0 || r.stripWidth < 0 || r.cmdCheckWidth < 0 ||
                            r.sitesWidth < 0 || r.countWidth < 0 || r.passwordsWidth < 0;
    if (impossible)
        return reset(in);

    r.H = std::max(r.H, MinHeight);
    r.W = std::max(r.W, MinWidth);

    // The panel rule works on the size the window is being given, not the one it had.
    if (!in.panelVisible) {
        r.panelPos = {centred(r.W, in.panel.width()), centred(r.H, in.panel.height())};
    } else {
        r.panelPos = in.panel.topLeft();
        const int maxLeft = r.W - in.panel.width() - PanelRightMargin;
        if (maxLeft < r.panelPos.x())
            r.panelPos.setX(maxLeft);
        const int maxTop = r.H - in.panel.height() - PanelBottomMargin;
        if (maxTop < r.panelPos.y())
            r.panelPos.setY(maxTop);
    }
    return r;
}

QPoint arrPan(int W, int H, QSize panel)
{
    return {centred(W, panel.width()), centred(H, panel.height()) + ArrPanDrop};
}

QPoint dragPanel(const QRect& panel, int dx, int dy, int W, int H)
{
    return {pinned(panel.left() + dx, W - panel.width() - PanelRightMargin),
            pinned(panel.top() + dy, H - panel.height() - PanelBottomMargin)};
}

} // namespace layout
