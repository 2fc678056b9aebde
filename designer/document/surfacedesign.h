#pragma once

#include <projectfile/menudesign.h>

class DesignerContext;

// The design that the open surface shows: every object with what its widget
// holds, the per-key files of the designer's lists and the project settings.
ProjectFormat::MenuDesign designOfSurface(const DesignerContext &context);

// The same with what the project file holds beside it (its own text and
// [INFOCD]), as the save writes it.
ProjectFormat::MenuDesign savedDesignOf(const DesignerContext &context);
