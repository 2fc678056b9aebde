#include "menuview.h"

#include <projectfile/projectformat.h>

TMenuButton *MenuControls::functionButton(int id) const
{
    if (!ProjectFormat::isFunctionId(id))
        return nullptr;
    return functionButtons[size_t(id - ProjectFormat::FirstFunctionId)];
}
