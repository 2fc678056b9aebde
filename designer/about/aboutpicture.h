#pragma once

#include <QImage>

// The designer's picture: a CD with a shaped menu window in front of it,
// drawn at run time, so the program needs no picture file of its own.
QImage drawAboutPicture(int width = 320, int height = 200);
