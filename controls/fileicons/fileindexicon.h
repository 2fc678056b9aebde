#pragma once

#include <QIcon>
#include <QString>

// An icon that holds one of the icons of a file: an .ICO file holds one
// icon (whatever sizes it has), a Windows program or library (.EXE, .DLL)
// one per icon group of its resources; other files hold none.
class TFileIndexIcon
{
public:
    TFileIndexIcon() = default;

    QString fileName() const { return m_fileName; }
    // On change, loads icon 0 of the file; a file without icons leaves
    // NumberOfIcons at -1 and no icon.
    void setFileName(const QString &value);

    int iconIndex() const { return m_iconIndex; }
    // Ignored without icons; else clamped to 0..NumberOfIcons - 1.
    void setIconIndex(int value);

    // -1 when no file with icons is loaded.
    int numberOfIcons() const { return m_numberOfIcons; }

    // The current icon, with every size the file holds; null when none.
    const QIcon &icon() const { return m_icon; }

private:
    void reload();

    QString m_fileName;
    int m_iconIndex = -1;
    int m_numberOfIcons = -1;
    QIcon m_icon;
};

// The number of icons of a file (0 when it holds none) and, for index, that
// icon (null when there is no such icon).
int countFileIcons(const QString &path);
QIcon extractFileIcon(const QString &path, int index);
