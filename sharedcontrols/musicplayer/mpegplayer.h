#pragma once

#include <mpegdll.h>

#include <QLibrary>
#include <QObject>
#include <QString>

#include <exception>
#include <functional>
#include <memory>

class QTimer;

// A failure of the MP3 player: the plug-in's error number, or 0 (and 254)
// where the player itself reports.
class TMPEGError : public std::exception
{
public:
    TMPEGError(QString message, quint8 errorCode);
    const char *what() const noexcept override { return m_what.constData(); }
    QString message() const { return m_message; }

    quint8 ErrorCode;

private:
    QString m_message;
    QByteArray m_what;
};

enum class TPlayPriority { Idle, Lowest, BelowNormal, Normal, AboveNormal, Highest, TimeCritical };
enum class TOutputDevice { wavemapper, pcmfile };

// Plays MP3 music through the decoder plug-in "mpegdll.dll", loaded at run
// time from PathToDLL. Every failure is raised as TMPEGError; the flags keep
// the values they had before the failing call.
class TMPEGPlayer : public QObject
{
    Q_OBJECT
public:
    static inline const QString LibraryName = QStringLiteral("mpegdll.dll");

    explicit TMPEGPlayer(QObject *owner = nullptr);
    // Closes the stream and unloads the plug-in, which joins its decoder.
    ~TMPEGPlayer() override;

    // The library path made from a folder: a separator is put between them
    // unless the folder is empty or ends in "\", "/" or ":".
    static QString libraryPath(const QString &pathToDLL);
    // The message of a plug-in error number.
    static QString errorMessage(int errorNumber);

    void LoadDecoder();
    void UnloadDecoder();
    void OpenStream();
    void Play();
    void Pause(bool doPause);
    void Stop();
    void Restart();
    void CloseStream();
    int GetCurrentPos();
    int GetLength();
    // Non-zero when the piece had ended and the plug-in was reset; the
    // plug-in is not asked before the end.
    int ResetPlayerMode();
    int LastError() const;

    bool isLoaded() const { return m_library.isLoaded(); }
    bool isOpened() const { return m_opened; }
    bool isPlaying() const { return m_playing; }
    bool isPaused() const { return m_paused; }
    bool endReached() const { return m_endReached.load() != 0; }
    int PlayedXTimes() const { return m_playedXTimes; }
    int lastErrorNumber() const { return m_lastError; }
    int length() const { return m_length; }

    QString PathToDLL;
    QString StreamName() const { return m_streamName; }
    // Closes an open stream.
    void setStreamName(const QString &name);
    QString OutFilename;
    TOutputDevice OutputDevice() const;
    // pcmfile takes effect only when OutFilename is set at that moment.
    void setOutputDevice(TOutputDevice device);
    TPlayPriority PlayerPriority() const;
    // Sent to the plug-in at once when it is loaded.
    void setPlayerPriority(TPlayPriority priority);
    int TimerFreq() const { return m_timerFreq; }
    // 0 also switches UseTimer off.
    void setTimerFreq(int milliseconds);
    int StartPos = 0;
    int EndPos = 0;
    bool AutoPlay = false;
    bool Seekable = false;
    bool FromStream = false;
    bool UseTimer = false;

    std::function<void(QObject *sender, int pos, int len)> OnPosUpdate;
    std::function<void(QObject *sender)> OnPlayEnd;
    std::function<void(QObject *sender, bool &nonseekable, void *&context)> OnOpenStream;
    std::function<void(QObject *sender, void *context)> OnCloseStream;
    std::function<void(QObject *sender, void *context, bool &res)> OnRestartStream;
    std::function<void(QObject *sender, void *context, void *buffer, int toRead, int &read, bool &res)> OnReadStream;
    std::function<void(QObject *sender, void *context, int numBytes, int moveMethod, int &res)> OnSeekStream;
    std::function<void(QObject *sender, void *context, int &res)> OnGetStreamSize;

protected:
    // The position timer's event.
    virtual void TimerTick();

private:
    struct Entries;
    void bindEntries();
    void requireLoaded() const;
    // Reads the plug-in's last error and raises it when there is one.
    void check();
    void startTimer();
    void forgetLibrary();

    static void streamOpen(void *user, int *nonseekable, void **context);
    static void streamClose(void *user, void *context);
    static int streamRestart(void *user, void *context);
    static int streamRead(void *user, void *context, void *buffer, int toRead, int *read);
    static int streamSeek(void *user, void *context, int offset, int moveMethod);
    static int streamSize(void *user, void *context);

    QLibrary m_library;
    std::unique_ptr<Entries> m_entries;
    QTimer *m_timer = nullptr;
    QString m_streamName;
    int m_device = MpegDll::WaveMapper;
    int m_priority = 0;
    int m_timerFreq = 0;
    bool m_opened = false;
    bool m_playing = false;
    bool m_paused = false;
    MpegDll::EndFlag m_endReached{0};
    int m_playedXTimes = 0;
    int m_length = 0;
    int m_lastError = 0;
};
