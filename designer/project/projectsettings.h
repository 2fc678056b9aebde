#pragma once

#include <QString>

// The one setting of the design (ProjectFormat::textSettings) that the
// designer gives a value of its own.
namespace ProjectSettingsTable {

// PATHTODLL is not read from the project: it follows the designer's own
// MP3 library (see pathToDll).
inline constexpr const char *PathToDll = "PATHTODLL";

// The stored folder of the MP3 decoder library at mpegDllPath, relative to
// the designer's drive root, with a trailing "\"; empty when there is none
// or it lies outside the root.
QString pathToDll(const QString &driveRoot, const QString &mpegDllPath);

} // namespace ProjectSettingsTable
