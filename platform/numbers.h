#pragma once

#include <QStringView>

#include <optional>

namespace Platform {

// A 32-bit number as the programs' files write them: decimal (signed), or
// "$" or "0x" hexadecimal naming the 32 bits as they are. Nothing for any
// other text or a value that does not fit.
std::optional<qint32> parseInt32(QStringView text);

} // namespace Platform
