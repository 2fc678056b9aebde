#pragma once

#include <projectfile/menudesign.h>

class DesignerContext;

// The design that the open surface shows, as the save writes it: every
// object with what its widget holds, the per-key files of the designer's
// lists and the project settings.
ProjectFormat::MenuDesign designOfSurface(const DesignerContext &context);
