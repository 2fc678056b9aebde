#pragma once

// The messages of the zip component, by id.

#include <QString>

namespace ZipTexts {

// The text of a message id, or the line saying that the id has no text.
QString text(int id);

// Ids beyond the runtime's table, for refusals the component adds.
inline constexpr int TargetFolderMissing = 11103;
inline constexpr int LibraryTooOld = 11104;
inline constexpr int OffsetsTooLarge = 11105;
inline constexpr int OverlappingEntries = 11106;
inline constexpr int TooManyParts = 11107;
inline constexpr int PartNameTooShort = 11108;
inline constexpr int CopyingPrefix = 10105;

inline const QString SumPrefix = QStringLiteral("\r\nSFXCaption + SFXDefaultDir + SFXCommandLine = ");

} // namespace ZipTexts
