#pragma once

#include <QString>
#include <QStringList>

// The editor's settings file "Zazava.cfg" in the user's settings folder,
// beside the designer's "Dodorurav.cfg": read at start, written at close.
struct ZazavaConfig
{
    // [Split] Pion: width of the tree and file list panel. The tree starts
    // at "/", some levels above a CD folder, so the panel is wide enough for
    // the names of its program folders at the default window size.
    int pion = 250;
    int pion1 = 199;  // [Split] Pion_1: width of the program-name list
    int width = 640;  // [WINDOW] W
    int height = 480; // [WINDOW] H
    int top = 0;      // [WINDOW] T
    int left = 0;     // [WINDOW] L
    bool toolbar = false;  // [WINDOW] PASEK
    bool optional = false; // [WINDOW] OPCJONALNE

    static QString path();
    // [Filtry] "0", "1", ...: the user's mask lists of the disk search, as
    // many as the section holds, in key order.
    static QStringList readFilters(const QString &path);
    // Replaces the section with these lists. False when the file could not
    // be written.
    static bool writeFilters(const QString &path, const QStringList &filters);
    static ZazavaConfig read(const QString &path);
    // A maximised window leaves W, H, T and L as they were. False when the
    // file could not be written.
    bool write(const QString &path, bool maximised) const;
};
