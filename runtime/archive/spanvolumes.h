#pragma once

// Finds the volumes of a spanned zip set: numbered part files (NAME001.ZIP,
// NAME002.ZIP, ...) beside the part that was opened, on any kind of drive;
// on removable drives also disks labelled "PKBACK# 001" ..., asked for and
// found again through the volume source wherever the medium is mounted.

#include "spanjoin.h"
#include "zipsource.h"

#include <QString>

#include <functional>
#include <memory>

class QWidget;

class SpanVolumes : public ZipFormat::VolumeProvider
{
public:
    // lastPart: the part holding the end record; lastVolume: its number.
    SpanVolumes(const QString &lastPart, int lastVolume);

    bool Unattended = false;
    QWidget *MessageParent = nullptr;
    std::function<void()> PumpEvents;

    // Throws EZipTool: 11007 when a disk prompt is cancelled, 11025 when a
    // prompt is needed unattended, 11001 when a part cannot be found.
    const ZipFormat::Source *volume(int number) override;

    // The refusal of a set that numbered names cannot describe; 0 when fine.
    static int checkSet(const QString &lastPart, int lastVolume);
    static QString numberedName(const QString &fileName, int number);
    static QString diskLabel(int number);
    // The number (from 1) of a part of a numbered set that path names; 0
    // when it is none.
    static int partNumber(const QString &path);

private:
    QString findPart(int number);
    QString findOnLabelledDisk(int number) const;
    QString askForDisk(int number);

    QString m_lastPart;
    int m_lastVolume;
    int m_openNumber = -1;
    std::unique_ptr<ZipFormat::FileSource> m_open;
};
