#include "sfxheader.h"

namespace SfxHeader {

int textBytes(const Settings &settings)
{
    return static_cast<int>(settings.caption.toUtf8().size() + settings.defaultDir.toUtf8().size()
                            + settings.commandLine.toUtf8().size());
}

std::optional<QByteArray> build(const Settings &settings)
{
    const QByteArray caption = settings.caption.toUtf8();
    const QByteArray folder = settings.defaultDir.toUtf8();
    const QByteArray command = settings.commandLine.toUtf8();
    if (caption.size() + folder.size() + command.size() > TextRoom)
        return std::nullopt;
    QByteArray header(Size, '\0');
    header[0] = 'M';
    header[1] = 'P';
    header[2] = 'U';
    header[3] = static_cast<char>(settings.flags);
    header[4] = static_cast<char>(caption.size());
    header[5] = static_cast<char>(folder.size());
    header[6] = static_cast<char>(command.size());
    header.replace(7, caption.size() + folder.size() + command.size(), caption + folder + command);
    return header;
}

} // namespace SfxHeader
