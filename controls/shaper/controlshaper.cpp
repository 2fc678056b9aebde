#include "shaper/controlshaper.h"

#include "dialogs.h"
#include "paths.h"
#include "safefile.h"
#include "windowshape.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>

namespace {

// The shaper's messages, word for word as users know them.
const char *const fatalErrorCaption = "Fatal Error";
const char *const resTypeMissingText = "Mask resource type not defined !";
const char *const resNotFoundText = "Mask resource not found !";
const char *const invalidMaskText = "Not a valide Mask Resource";

void tellUser(const char *text, const char *caption)
{
    Platform::showMessage(nullptr, QString::fromLatin1(text), QString::fromLatin1(caption));
}

// The name part of a stored path, whichever separator it was written with.
QString fileNamePart(const QString &path)
{
    const qsizetype cut = qMax(path.lastIndexOf(u'/'), qMax(path.lastIndexOf(u'\\'), path.lastIndexOf(u':')));
    return path.mid(cut + 1);
}

class HourglassCursor
{
public:
    HourglassCursor() { QGuiApplication::setOverrideCursor(Qt::WaitCursor); }
    ~HourglassCursor() { QGuiApplication::restoreOverrideCursor(); }
    HourglassCursor(const HourglassCursor &) = delete;
    HourglassCursor &operator=(const HourglassCursor &) = delete;
};

} // namespace

TMask::TMask(TControlShaper &shaper)
    : m_shaper(shaper)
{
}

void TMask::setResType(const QString &value)
{
    m_resType = value.toUpper();
    m_shaper.dropRegionCache();
}

void TMask::setResName(const QString &value)
{
    m_resName = value.toUpper();
    if (!m_resName.isEmpty())
        m_picFile.clear();
    m_shaper.dropRegionCache();
}

void TMask::setPicFile(const QString &value)
{
    if (value.isEmpty() || QFileInfo(value).isFile())
        m_picFile = value;
    else
        m_picFile = Platform::programDir() + fileNamePart(value);
    if (!m_picFile.isEmpty())
        m_resName.clear();
    m_shaper.dropRegionCache();
}

void TMask::assign(const TMask &source)
{
    setResType(source.resType());
    setResName(source.resName());
    setPicFile(source.picFile());
}

TControlShaper::TControlShaper(QObject *owner)
    : QObject(owner)
    , m_mask(*this)
{
}

TControlShaper::~TControlShaper() = default;

void TControlShaper::setControlHandle(QWidget *window)
{
    setShapeActive(false);
    m_control = window;
}

void TControlShaper::setMask(const TMask &mask)
{
    if (&mask != &m_mask)
        m_mask.assign(mask);
    dropRegionCache();
}

void TControlShaper::setShapeActive(bool value)
{
    m_shapeActive = false;
    if (!value) {
        if (m_control)
            m_control->clearMask();
        return;
    }
    if (!m_control || !readMask())
        return;

    m_maskWidth = m_header->width;
    m_maskHeight = m_header->height;
    if (!m_region)
        buildRegion();
    // A shape the display cannot take leaves the window rectangular.
    if (m_region)
        m_control->setMask(*m_region);
    else
        m_control->clearMask();
    m_shapeActive = true;
}

bool TControlShaper::readMask()
{
    m_fileError.clear();
    return m_mask.resName().isEmpty() ? readFile() : readResource();
}

bool TControlShaper::readResource()
{
    if (m_mask.resType().isEmpty()) {
        tellUser(resTypeMissingText, fatalErrorCaption);
        return false;
    }
    QFile resource(QStringLiteral(":/%1/%2").arg(m_mask.resType(), m_mask.resName()));
    if (!resource.open(QIODevice::ReadOnly)) {
        tellUser(resNotFoundText, fatalErrorCaption);
        return false;
    }
    m_maskData = resource.readAll();
    return readHeader();
}

bool TControlShaper::readFile()
{
    Platform::ReadResult file = Platform::readRegularFile(m_mask.picFile(), Platform::SizeLimits::Mask);
    if (!file.ok()) {
        m_fileError = QStringLiteral("Cannot open file \"%1\". %2")
                          .arg(QDir::toNativeSeparators(m_mask.picFile()), file.error);
        return false;
    }
    m_maskData = std::move(file.bytes);
    return readHeader();
}

bool TControlShaper::readHeader()
{
    m_header = readMaskHeader(m_maskData);
    if (!m_header)
        tellUser(invalidMaskText, "");
    return m_header.has_value();
}

void TControlShaper::buildRegion()
{
    HourglassCursor hourglass;
    m_region = maskRegion(m_maskData, *m_header, Platform::maxWindowShapeRectangles());
}
