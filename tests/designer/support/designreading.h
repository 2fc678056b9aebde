#pragma once

#include <projectfile/menudesign.h>

#include <QStringList>

// Views of a design that tests compare.
namespace DesignReading {

// "name=value" for every setting that holds a value, in the settings' order.
QStringList settingLines(const ProjectFormat::MenuDesign &design);
// "id=file" for every key whose file of that kind is set, in the keys' order.
QStringList keyFileLines(const ProjectFormat::MenuDesign &design, QString ProjectFormat::DesignKey::*file);

} // namespace DesignReading
