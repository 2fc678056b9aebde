#pragma once

#include "shaper/maskbitmap.h"

#include <QByteArray>
#include <QObject>
#include <QPointer>
#include <QRegion>
#include <QString>
#include <QWidget>

#include <optional>

class TControlShaper;

// Where a shaper's mask comes from: a resource of the program (read as the
// Qt resource ":/<ResType>/<ResName>") or a bitmap file. At most one of
// ResName and PicFile is set. Every change drops the shaper's cached region.
class TMask
{
public:
    explicit TMask(TControlShaper &shaper);
    TMask(const TMask &) = delete;
    TMask &operator=(const TMask &) = delete;

    QString resType() const { return m_resType; }
    void setResType(const QString &value);
    QString resName() const { return m_resName; }
    void setResName(const QString &value);
    QString picFile() const { return m_picFile; }
    // A file that does not exist is looked for beside the program instead:
    // the program's folder followed by the file name part of value.
    void setPicFile(const QString &value);

    // Copies ResType, ResName and PicFile, in that order, through the setters.
    void assign(const TMask &source);

private:
    TControlShaper &m_shaper;
    QString m_resType = QStringLiteral("PIC");
    QString m_resName;
    QString m_picFile;
};

// Gives a window (ControlHandle) the outline of a 1-bit mask bitmap: 0 bits
// are inside, 1 bits are cut away. Mask problems are reported by message
// boxes and leave the window's shape as it was. A mask with more rectangles
// than the display takes in one shape leaves the window rectangular.
class TControlShaper : public QObject
{
public:
    explicit TControlShaper(QObject *owner = nullptr);
    ~TControlShaper() override;

    QWidget *controlHandle() const { return m_control; }
    // Gives the old window back its rectangle, then takes the new one.
    void setControlHandle(QWidget *window);

    bool shapeActive() const { return m_shapeActive; }
    // True reads the mask and shapes the window; every call runs again, so
    // owners can re-apply the same mask. MaskWidth and MaskHeight tell the
    // mask's size right after.
    void setShapeActive(bool value);

    TMask &mask() { return m_mask; }
    const TMask &mask() const { return m_mask; }
    void setMask(const TMask &mask);

    int maskWidth() const { return m_maskWidth; }
    int maskHeight() const { return m_maskHeight; }

    // Why the last activation could not open the mask file ("Cannot open
    // file ..."; only regular files of up to Platform::SizeLimits::Mask
    // bytes are read); empty when it could. The owner decides whether to show it.
    QString fileError() const { return m_fileError; }

private:
    friend class TMask;
    void dropRegionCache() { m_region.reset(); }
    bool readMask();
    bool readResource();
    bool readFile();
    bool readHeader();
    void buildRegion();

    QByteArray m_maskData;
    std::optional<MaskHeader> m_header;
    int m_maskWidth = 0;
    int m_maskHeight = 0;
    TMask m_mask;
    QPointer<QWidget> m_control;
    bool m_shapeActive = false;
    std::optional<QRegion> m_region;
    QString m_fileError;
};
