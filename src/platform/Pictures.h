#pragma once

#include <QIcon>
#include <QImage>
#include <Qt>

// The 16x16 image list img1616. Pictures are addressed by their index, as the views and the toolbar name them.
// Every place that shows a picture also stores its index under PictureRole (items) or the "pictureIndex"
// property (widgets, actions), so code and tests can ask which picture is on show.
namespace img1616 {

inline constexpr int PictureRole = Qt::UserRole + 100;
inline constexpr int None = 0;

// Indexes with a fixed meaning.
inline constexpr int Add = 1, Edit = 2, Save = 3, Delete = 4, AddStar = 5, DeleteStar = 6;
inline constexpr int Move = 7, Paste = 8;
inline constexpr int Go = 9, ClearClipboard = 10, Help = 11, Exit = 12;
inline constexpr int KeyIncomplete = 13, KeyComplete = 14;
inline constexpr int Root = 15, Category = 17, CurrentCategory = 18;
inline constexpr int NotAllChecked = 19, AllChecked = 20, Rank = 21, SortAscending = 22, SortDescending = 23;
inline constexpr int Site = 24, Password = 25;

// The picture at an index; the null icon for 0 and for indexes that hold none.
QIcon picture(int index);
// The program's window icon (also shown, at 32x32, in the about box).
QIcon windowIcon();
// The program's icon drawn at any size, for the desktop's menu and launchers.
QImage windowIconImage(int pixels);

} // namespace img1616
