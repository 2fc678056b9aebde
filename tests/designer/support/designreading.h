#pragma once

#include <projectfile/menudesign.h>

#include <QStringList>

class DesignerContext;

// Views of a design that tests compare.
namespace DesignReading {

// The design that the open surface's widgets show: every object with what
// its widget holds, with the files and the second-window switch of its keys
// and the settings from the context's design. Once a design is built it
// equals the context's design.
ProjectFormat::MenuDesign designOfSurface(const DesignerContext &context);

// "name=value" for every setting that holds a value, in the settings' order.
QStringList settingLines(const ProjectFormat::MenuDesign &design);
// "id=file" for every key whose file of that kind is set, in the keys' order.
QStringList keyFileLines(const ProjectFormat::MenuDesign &design, QString ProjectFormat::DesignKey::*file);

} // namespace DesignReading
