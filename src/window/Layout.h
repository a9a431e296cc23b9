#pragma once

#include <QPoint>
#include <QRect>
#include <QSize>
#include <array>

// The main window's geometry as plain values, in twips. W and H are the window's outer size as designed (client
// size plus frame): the window computes W = client width + FrameWidth and H = client height + FrameHeight.
namespace layout {

inline constexpr int MinWidth = 9555, MinHeight = 6930;   // outer
inline constexpr int FrameWidth = 120, FrameHeight = 405; // outer minus inner, as designed
inline constexpr int PanelRightMargin = 140, PanelBottomMargin = 420;

// Every control's rectangle as designed. Children of SSPanel1 and SSPanel2 are relative to their panel; txtPass
// lies over the strip but belongs to the window.
namespace designed {
inline constexpr QRect Toolbar1{0, 0, 9435, 540};
inline constexpr QRect SSPanel2{0, 555, 9375, 300};
inline constexpr QRect txtPass{1590, 585, 1020, 240};
inline constexpr QRect Image1{105, 30, 240, 240};
inline constexpr QRect SSPanel3{2745, 60, 1005, 195};
inline constexpr QRect txtNormal{3765, 0, 2145, 285};
inline constexpr QRect txtEncrepted{5910, 0, 2145, 285};
inline constexpr QRect cmdCheck{8055, 15, 1305, 255};
inline constexpr QRect tvCategories{0, 870, 2670, 5640};
inline constexpr QRect lvURLs{2685, 870, 6690, 3960};
inline constexpr QRect sURLsCount{2685, 4860, 6690, 255};
inline constexpr QRect lvPasswords{2685, 5145, 6705, 1365};
inline constexpr QRect SSPanel1{360, 2280, 8790, 2565};

inline constexpr QRect SSPanel4{45, 60, 8700, 255};
inline constexpr QRect cmdX{8460, 75, 270, 225};
// "Category", "Site Name", "Site URL", "Site Desc.", "User ID", "Password", "Pwd Desc."
inline constexpr std::array<QRect, 7> SSPanel5{{
    {120, 345, 855, 255},
    {120, 825, 975, 255},
    {2880, 825, 855, 255},
    {120, 1185, 975, 255},
    {120, 1860, 855, 255},
    {2880, 1860, 855, 255},
    {120, 2220, 975, 255},
}};
inline constexpr QRect txtCatName{1125, 345, 1620, 285};
inline constexpr QRect txtSiteName{1125, 825, 1620, 285};
inline constexpr QRect txtURL{3765, 840, 4980, 285};
inline constexpr QRect txtSiteDesc{1125, 1185, 7620, 480};
inline constexpr QRect txtUserID{1125, 1860, 1620, 285};
inline constexpr QRect txtPassword{3765, 1860, 1620, 285};
inline constexpr QRect lblPL{5520, 1905, 495, 255};
inline constexpr QRect Label1{6120, 1905, 855, 255};
inline constexpr QRect txtPWDesc{1125, 2220, 7620, 285};
inline constexpr QRect lblCatCode{6000, 360, 855, 255};
inline constexpr QRect lblSiteCode{6840, 360, 855, 255};
inline constexpr QRect lblSer{7680, 360, 855, 255};

inline constexpr std::array<int, 5> lvURLsColumns{661, 1235, 3087, 4410, 8819};
inline constexpr std::array<int, 3> lvPasswordsColumns{5027, 4410, 8819};
} // namespace designed

struct Input {
    int W = MinWidth, H = MinHeight; // current outer size
    bool minimized = false;
    int treeHeight = designed::tvCategories.height(); // the controls' current sizes, which the rules read
    int sitesWidth = designed::lvURLs.width();
    bool panelVisible = false;
    QRect panel = designed::SSPanel1; // SSPanel1's current rectangle
};

struct Result {
    bool apply = false; // false: minimized, leave every control as it is (W and H are then the input's)
    int W = 0, H = 0;   // outer size after the minimum-size rule; when it differs from the input, resize the window
    int treeHeight = 0, sitesHeight = 0, sitesWidth = 0;
    int countTop = 0, countWidth = 0;
    int passwordsTop = 0, passwordsHeight = 0, passwordsWidth = 0;
    int stripWidth = 0, cmdCheckWidth = 0;
    QPoint panelPos; // SSPanel1's new top-left

    friend bool operator==(const Result&, const Result&) = default;
};

// The layout rules for the window's current state. A rule that would give a negative width or height resets the
// window to its minimum size and the views to fixed sizes, and leaves the panel where it is.
Result compute(const Input& in);

// Where a command puts the hidden panel when it shows it: centred, 30 lower than the layout's own centring.
QPoint arrPan(int W, int H, QSize panel);

// The panel moved by (dx, dy), its left and top stopping at 0, its right and bottom at the panel margins.
QPoint dragPanel(const QRect& panel, int dx, int dy, int W, int H);

} // namespace layout
