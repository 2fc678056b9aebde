#pragma once

#include <QString>

namespace Platform {

// Why the system refused a call (an errno value), in the programs' Polish:
// "Brak miejsca na dysku" for a full disk and the like; the system's own
// text for a reason the table does not know.
QString systemErrorText(int errorNumber);

} // namespace Platform
