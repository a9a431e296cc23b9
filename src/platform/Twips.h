#pragma once

#include <QPoint>
#include <QRect>
#include <QSize>

// The window's geometry is designed in twips (1440 to the inch). At 96 dpi that is 15 twips to a logical pixel;
// Qt scales logical pixels on high-dpi screens, so this is the one place where twips become pixels.
namespace twips {

inline constexpr int PerPixel = 15;

// Rounded to the nearest pixel, symmetrically for negatives. 15 is odd, so there is never a tie.
constexpr int toPixels(int t)
{
    return t >= 0 ? (t + PerPixel / 2) / PerPixel : (t - PerPixel / 2) / PerPixel;
}

constexpr int fromPixels(int px)
{
    return px * PerPixel;
}

// Rectangles convert part by part, so a rectangle's size converts like a width or height set on its own.
constexpr QPoint toPixels(const QPoint& t)
{
    return {toPixels(t.x()), toPixels(t.y())};
}

constexpr QPoint fromPixels(const QPoint& px)
{
    return {fromPixels(px.x()), fromPixels(px.y())};
}

constexpr QSize toPixels(const QSize& t)
{
    return {toPixels(t.width()), toPixels(t.height())};
}

constexpr QSize fromPixels(const QSize& px)
{
    return {fromPixels(px.width()), fromPixels(px.height())};
}

constexpr QRect toPixels(const QRect& t)
{
    return {toPixels(t.x()), toPixels(t.y()), toPixels(t.width()), toPixels(t.height())};
}

constexpr QRect fromPixels(const QRect& px)
{
    return {fromPixels(px.x()), fromPixels(px.y()), fromPixels(px.width()), fromPixels(px.height())};
}

} // namespace twips
