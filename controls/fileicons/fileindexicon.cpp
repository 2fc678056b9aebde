#include "fileindexicon.h"

#include "peicons.h"

#include <safefile.h>

#include <QBuffer>
#include <QFile>
#include <QImageReader>
#include <QPixmap>

#include <functional>

namespace {

// Programs can be far larger than any picture (a setup program carries its
// payload), so they are mapped rather than read; only the icon bytes are
// copied out.
template<typename Result>
Result withMappedFile(const QString &path, Result none, const std::function<Result(QByteArrayView)> &use)
{
    if (!Platform::isRegularFile(path))
        return none;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly) || file.size() == 0)
        return none;
    const uchar *bytes = file.map(0, file.size());
    if (!bytes)
        return none;
    Result result = use(QByteArrayView(reinterpret_cast<const char *>(bytes), file.size()));
    file.unmap(const_cast<uchar *>(bytes));
    return result;
}

bool startsWithIconHeader(const QString &path)
{
    QFile file(path);
    return Platform::isRegularFile(path) && file.open(QIODevice::ReadOnly) && looksLikeIconFile(file.read(6));
}

QIcon iconFromIconFile(const QByteArray &bytes)
{
    QBuffer buffer;
    buffer.setData(bytes);
    buffer.open(QIODevice::ReadOnly);
    QImageReader reader(&buffer, "ico");
    QIcon icon;
    for (int i = 0; i < reader.imageCount(); ++i) {
        if (!reader.jumpToImage(i))
            break;
        const QImage image = reader.read();
        if (!image.isNull())
            icon.addPixmap(QPixmap::fromImage(image));
    }
    return icon;
}

QIcon iconOfIconFile(const QString &path)
{
    const Platform::ReadResult read = Platform::readRegularFile(path, Platform::SizeLimits::Picture);
    return read.ok() ? iconFromIconFile(read.bytes) : QIcon();
}

} // namespace

int countFileIcons(const QString &path)
{
    if (startsWithIconHeader(path))
        return iconOfIconFile(path).isNull() ? 0 : 1;
    return withMappedFile<int>(path, 0, [](QByteArrayView bytes) {
        return int(readPeIconGroups(bytes).size());
    });
}

QIcon extractFileIcon(const QString &path, int index)
{
    if (index < 0)
        return {};
    if (startsWithIconHeader(path))
        return index == 0 ? iconOfIconFile(path) : QIcon();
    return withMappedFile<QIcon>(path, QIcon(), [index](QByteArrayView bytes) {
        const std::vector<PeIconGroup> groups = readPeIconGroups(bytes);
        if (size_t(index) >= groups.size())
            return QIcon();
        return iconFromIconFile(iconFileFromGroup(bytes, groups[size_t(index)]));
    });
}

void TFileIndexIcon::setFileName(const QString &value)
{
    if (value == m_fileName)
        return;
    m_fileName = value;
    reload();
}

void TFileIndexIcon::reload()
{
    m_icon = QIcon();
    m_numberOfIcons = -1;
    const int count = countFileIcons(m_fileName);
    if (count <= 0)
        return;
    m_numberOfIcons = count;
    m_iconIndex = 0;
    m_icon = extractFileIcon(m_fileName, 0);
}

void TFileIndexIcon::setIconIndex(int value)
{
    if (value == m_iconIndex || m_numberOfIcons == -1)
        return;
    m_iconIndex = std::clamp(value, 0, m_numberOfIcons - 1);
    m_icon = extractFileIcon(m_fileName, m_iconIndex);
}
