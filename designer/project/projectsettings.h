#pragma once

#include <projectfile/menudesign.h>

#include <QString>

#include <array>

// The single-valued settings of a menu window that the designer keeps in
// ProjectSettings, with the section and key each is stored under and the
// value a load takes when the key is missing. A load fills them in this
// order; a save writes them all.
namespace ProjectSettingsTable {

using Entry = ProjectFormat::TextSetting;

// PATHTODLL is not read from the project: it follows the designer's own
// MP3 library (see pathToDll).
inline constexpr const char *PathToDll = "PATHTODLL";

const std::array<Entry, ProjectFormat::TextSettingCount> &entries();

// The stored folder of the MP3 decoder library at mpegDllPath, relative to
// the designer's drive root, with a trailing "\"; empty when there is none
// or it lies outside the root.
QString pathToDll(const QString &driveRoot, const QString &mpegDllPath);

} // namespace ProjectSettingsTable
