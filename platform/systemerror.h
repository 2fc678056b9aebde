#pragma once

#include <QString>

namespace Platform {

// Why the system refused a call (an errno value), in the programs' Polish:
// "Brak miejsca na dysku" for a full disk and the like; the system's own
// text for a reason the table does not know.
QString systemErrorText(int errorNumber);

// The same for a reason Qt reported as text (a file's errorString()):
// Qt's texts of the reasons in the table become the Polish ones, any other
// text stays as it is.
QString polishReason(const QString &qtReason);

} // namespace Platform
