#pragma once

#include "safefile.h"

#include <QString>

#include <optional>

namespace Platform {

// The text of a Windows-1250 file with its line ends made "\n"; nothing when
// path is no regular file, cannot be read or is larger than maxBytes.
std::optional<QString> readTextFile(const QString &path, qint64 maxBytes = SizeLimits::Text);

} // namespace Platform
