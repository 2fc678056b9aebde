#pragma once

#include <projectfile/menudesign.h>

class DesignerContext;

// The open design: the context's design without what the file holds
// beside it.
ProjectFormat::MenuDesign designOf(const DesignerContext &context);

// The same with what the project file holds beside it (its own text and
// [INFOCD]), as the save writes it.
ProjectFormat::MenuDesign savedDesignOf(const DesignerContext &context);
