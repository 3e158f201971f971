#pragma once

#include <QObject>
#include <QPointer>
#include <QString>

#include "VideoOutput.h"

class AudioOutput;
struct mpv_handle;
struct mpv_event;

// The media player of the client, backed by libmpv. It offers the calls the
// player widget relies on, with the usual meaning: play() with or without a
// path, pause(bool), stop(), seek()/setPosition() in milliseconds, position(),
// duration(), isPlaying() (true while paused too), isPaused(), isSeekable(),
// audio() and updateClock().
//
// All calls return at once: commands go to libmpv asynchronously and the state
// read by the getters is what libmpv last reported, kept current by draining
// its events on the thread that owns this object.
class MediaPlayer : public QObject
{
    Q_OBJECT

public:
    explicit MediaPlayer(QObject *parent = nullptr);
    ~MediaPlayer() override;

    // Where the pictures go. Set it before playing; without a renderer the
    // player still runs (position, duration, audio) but shows nothing.
    void setRenderer(VideoOutput *output);
    VideoOutput *renderer() const { return m_renderer; }

    // Opens path (local file or URL) and plays it from the start.
    void play(const QString &path);
    // Plays the current file again from the start.
    void play();
    void pause(bool p = true);
    void stop();
    void seek(qint64 ms);
    void setPosition(qint64 ms) { seek(ms); }
    // One frame on (or back) and paused there.
    void stepFrame(bool forward);

    QString file() const { return m_path; }
    qint64 position() const;
    qint64 duration() const;
    bool isPlaying() const;
    bool isPaused() const;
    bool isSeekable() const;
    // The media is open and its length known.
    bool isLoaded() const { return m_loaded; }
    AudioOutput *audio() const { return m_audio; }
    // Only matters to players that take their clock from the caller; this one
    // keeps time itself, so the value is recorded and otherwise has no effect.
    void updateClock(qint64 msecs) { m_externalClock = msecs; }

signals:
    // The file is open and duration() holds its length.
    void loaded();
    void started();
    void paused(bool p);
    void stopped();
    void positionChanged(qint64 ms);
    void durationChanged(qint64 ms);
    void seekableChanged(bool seekable);
    void seekFinished(qint64 ms);
    void error(const QString &message);

private slots:
    void drainEvents();

private:
    friend class AudioOutput;
    static void wakeup(void *ctx);
    void handleEvent(const mpv_event *event);
    void handlePropertyChange(const mpv_event *event);
    void handleEndFile(const mpv_event *event);
    void commandAsync(const QList<QByteArray> &args);
    void setFlag(const char *name, bool value);
    void setDouble(const char *name, double value);
    void issueSeek(qint64 ms);
    void resetMediaState();
    void setEnded(bool ended);

    mpv_handle *m_mpv = nullptr;
    QPointer<VideoOutput> m_renderer;
    AudioOutput *m_audio = nullptr;
    QString m_path;

    // What the program asked for.
    bool m_active = false;    // a file should be open (play() until stop())
    bool m_paused = false;
    int m_pendingStarts = 0;  // loadfile commands whose start-file has not come
    qint64 m_entryId = -1;    // playlist entry of the current file
    quint64 m_generation = 0; // counts play() and stop() calls
    qint64 m_pendingSeek = -1;
    bool m_seeking = false;
    // What libmpv reported.
    bool m_loaded = false;
    bool m_ended = false;
    bool m_eofReached = false;
    bool m_seekable = false;
    qint64 m_positionMs = 0;
    qint64 m_durationMs = 0;
    qint64 m_externalClock = 0;
    QAtomicInt m_wakeupQueued;
};
