#include "programchoice.h"

QString ProgramChoice::programValue(const QString &key) const
{
    if (!CategoryIni || CurrentProgram.isEmpty())
        return {};
    return CategoryIni->readString(CurrentProgram, key, {});
}
