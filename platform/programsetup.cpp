#include "programsetup.h"

#include "fonts.h"
#include "language.h"

namespace Platform {

void setUpProgram()
{
    loadPolishTranslations();
    installFontSubstitutes();
}

} // namespace Platform
