#pragma once

#include <QtGlobal>

// What a screen can hold. Positions and sizes read from files are clamped
// to these ranges, so arithmetic on them never overflows and a window or a
// picture never costs more memory than the largest screen would.
namespace Platform::ScreenLimits {

// Largest width or height of a window, a picture or a mask: more than an
// 8K screen shows, and 256 MiB at 32 bits per pixel.
inline constexpr int MaxExtent = 8192;
// Positions lie within this distance of the origin on either side.
inline constexpr int MaxCoordinate = 2 * MaxExtent;

// Largest font size in points: a letter about as tall as a screen.
inline constexpr int MaxFontPointSize = 1000;

inline int clampExtent(int value)
{
    return qBound(0, value, MaxExtent);
}

inline int clampCoordinate(int value)
{
    return qBound(-MaxCoordinate, value, MaxCoordinate);
}

} // namespace Platform::ScreenLimits
