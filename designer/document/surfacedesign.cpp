#include "document/surfacedesign.h"

#include "project/designercontext.h"
#include "surface/menusurface.h"

#include <profilefile.h>

using namespace ProjectFormat;

MenuDesign designOf(const DesignerContext &context)
{
    if (!context.Surface) {
        MenuDesign design;
        design.settings = context.Design.settings;
        return design;
    }
    MenuDesign design = context.Design;
    // What the file holds beside the design is the save's to add.
    design.sourceText.clear();
    design.infoCd.reset();
    return design;
}

MenuDesign savedDesignOf(const DesignerContext &context)
{
    MenuDesign design = designOf(context);
    if (context.ProjectIni) {
        design.sourceText = context.ProjectIni->text();
        design.infoCd = MenuDesign::readInfoCd(*context.ProjectIni);
    }
    return design;
}

