#include "sound/soundplayers.h"

#include <QFileInfo>

namespace {

// Runs a step of the MP3 player; false when it failed.
template<typename Step> bool quietly(Step step)
{
    try {
        step();
        return true;
    } catch (const TMPEGError &) {
        return false;
    }
}

} // namespace

DesignerPlayers::DesignerPlayers(Platform::Audio::Output output)
    : Media(std::move(output))
{
}

DesignerPlayers::Carrier DesignerPlayers::carrierOf(const QString &fileName)
{
    const QString extension = QFileInfo(QString(fileName).replace(u'\\', u'/')).suffix().toLower();
    return extension == u"wav" || extension == u"mid" || extension == u"rmi" ? Carrier::Media : Carrier::Mpeg;
}

void DesignerPlayers::playMedia(const QString &path)
{
    Media.close();
    if (Media.open(path))
        Media.play();
}

void DesignerPlayers::playMpeg(const QString &path, const QString &libraryFolder)
{
    MPEG.PathToDLL = libraryFolder;
    MPEG.setStreamName(path);
    // Each step only when the one before it worked: a plug-in that did not
    // load has no stream to open.
    quietly([this] { MPEG.LoadDecoder(); }) && quietly([this] { MPEG.OpenStream(); })
        && quietly([this] { MPEG.Play(); });
}

void DesignerPlayers::stopAll()
{
    Media.close();
    quietly([this] { MPEG.Stop(); });
    quietly([this] { MPEG.UnloadDecoder(); });
}

void DesignerPlayers::stopOnClose()
{
    Media.close();
    if (quietly([this] { MPEG.Stop(); }))
        quietly([this] { MPEG.UnloadDecoder(); });
}

void DesignerPlayers::releaseMpeg()
{
    quietly([this] { MPEG.UnloadDecoder(); });
}
