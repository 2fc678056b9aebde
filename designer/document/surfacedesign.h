#pragma once

#include <projectfile/menudesign.h>

class DesignerContext;

// The design that the open surface's widgets show: every object with what
// its widget holds, the per-key files and the settings of the design. Once a design is built it equals the context's design.
ProjectFormat::MenuDesign designOfSurface(const DesignerContext &context);

// The open design: the context's design without what the file holds
// beside it.
ProjectFormat::MenuDesign designOf(const DesignerContext &context);

// The same with what the project file holds beside it (its own text and
// [INFOCD]), as the save writes it.
ProjectFormat::MenuDesign savedDesignOf(const DesignerContext &context);
