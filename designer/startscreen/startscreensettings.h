#pragma once

#include <QString>

#include <optional>

namespace ProjectFormat {
class MenuDesign;
}

// The start screen that the autostart program shows before the menu: an
// animation, then a picture, each a drive-relative file with its size.
struct StartScreenSettings {
    struct Part {
        QString name; // a stored path; the defaults hold a wildcard ("*.AVI")
        int height = 0;
        int width = 0;
    };
    Part animation; // AVI_Name, AVI_Wys, AVI_Szer
    Part picture;   // BMP_Name, BMP_Wys, BMP_Szer

    // The sizes the dialog's spins take.
    static constexpr int MaxSize = 2000;

    // Sizes that are no number read as 0; all are kept within 0..MaxSize.
    static StartScreenSettings read(const ProjectFormat::MenuDesign &design);

    // Stores what the dialog confirmed, part by part: a part whose field is
    // empty clears its name and keeps its sizes; one that still holds a
    // wildcard changes nothing; one naming an existing file below root
    // stores its name and sizes. Nothing is stored when any field names
    // no file or a path the project cannot store: the message says why.
    static std::optional<QString> store(ProjectFormat::MenuDesign &design, const StartScreenSettings &confirmed,
                                        const QString &root);

    // What store() leaves out without a word: the sizes typed for a part
    // whose field names no file (empty or a wildcard), where they differ
    // from the stored ones. The message names those parts; empty when
    // nothing typed is dropped.
    static QString droppedSizes(const StartScreenSettings &stored, const StartScreenSettings &confirmed);
};
