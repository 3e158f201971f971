#include "MediaPlayer.h"

#include "AudioOutput.h"
#include "VideoOutput.h"

#include <QDebug>
#include <QMetaObject>
#include <mpv/client.h>

namespace {
// Property ids for mpv_observe_property.
enum Observed : uint64_t { TimePos = 1, Duration, Seekable, EofReached };
// Replies to the length request made when a file has loaded; the generation
// of the play() call is added so that replies for replaced files are dropped.
constexpr uint64_t LoadedReplyBase = 1000;

// Near enough to the end that "resume" means "start again".
constexpr qint64 EndSlackMs = 100;
}

MediaPlayer::MediaPlayer(QObject *parent)
    : QObject(parent)
    , m_audio(new AudioOutput(this))
{
    m_mpv = mpv_create();
    if (!m_mpv) {
        qWarning("media player: mpv_create failed");
        return;
    }
    // No window, no key bindings, no scripts: the widget around us does all of
    // that. keep-open holds the last frame at the end instead of unloading.
    const char *options[][2] = {
        {"vo", "null"},
        {"idle", "yes"},
        {"keep-open", "yes"},
        {"hwdec", "no"},
        {"gpu-hwdec-interop", "no"},
        {"force-window", "no"},
        {"input-default-bindings", "no"},
        {"input-vo-keyboard", "no"},
        {"osc", "no"},
        {"ytdl", "no"},
        {"load-scripts", "no"},
        {"load-stats-overlay", "no"},
        {"load-osd-console", "no"},
        {"audio-display", "no"},
        // Rendering happens on the GUI thread: never let a render call wait
        // for the frame's display time.
        {"video-timing-offset", "0"},
    };
    for (const auto &o : options)
        mpv_set_option_string(m_mpv, o[0], o[1]);
    // Headless runs have no sound device; tests pick the null output.
    const QByteArray ao = qgetenv("LUMEXA_MPV_AO");
    if (!ao.isEmpty())
        mpv_set_option_string(m_mpv, "ao", ao.constData());
    if (mpv_initialize(m_mpv) < 0) {
        qWarning("media player: mpv_initialize failed");
        mpv_terminate_destroy(m_mpv);
        m_mpv = nullptr;
        return;
    }
    mpv_request_log_messages(m_mpv, "error");
    mpv_observe_property(m_mpv, TimePos, "time-pos", MPV_FORMAT_DOUBLE);
    mpv_observe_property(m_mpv, Duration, "duration", MPV_FORMAT_DOUBLE);
    mpv_observe_property(m_mpv, Seekable, "seekable", MPV_FORMAT_FLAG);
    mpv_observe_property(m_mpv, EofReached, "eof-reached", MPV_FORMAT_FLAG);
    mpv_set_wakeup_callback(m_mpv, &MediaPlayer::wakeup, this);
}

MediaPlayer::~MediaPlayer()
{
    if (!m_mpv)
        return;
    // The render context must go before the core.
    if (m_renderer)
        m_renderer->detach();
    mpv_set_wakeup_callback(m_mpv, nullptr, nullptr);
    mpv_terminate_destroy(m_mpv);
    m_mpv = nullptr;
}

void MediaPlayer::setRenderer(VideoOutput *output)
{
    if (m_renderer == output)
        return;
    if (m_renderer)
        m_renderer->detach();
    m_renderer = output;
    const bool attached = m_mpv && output && output->attach(m_mpv);
    // Without a render context the libmpv output cannot start and would end
    // playback; the null output keeps the clock running.
    if (m_mpv)
        mpv_set_property_string(m_mpv, "vo", attached ? "libmpv" : "null");
}

void MediaPlayer::wakeup(void *ctx)
{
    // Called on a libmpv thread: only hand over to the owner's thread.
    auto *self = static_cast<MediaPlayer *>(ctx);
    if (self->m_wakeupQueued.testAndSetOrdered(0, 1))
        QMetaObject::invokeMethod(self, "drainEvents", Qt::QueuedConnection);
}

void MediaPlayer::drainEvents()
{
    m_wakeupQueued.storeRelease(0);
    while (m_mpv) {
        const mpv_event *event = mpv_wait_event(m_mpv, 0);
        if (event->event_id == MPV_EVENT_NONE)
            break;
        handleEvent(event);
    }
}

void MediaPlayer::handleEvent(const mpv_event *event)
{
    switch (event->event_id) {
    case MPV_EVENT_START_FILE:
        if (m_pendingStarts > 0)
            --m_pendingStarts;
        m_entryId = static_cast<const mpv_event_start_file *>(event->data)->playlist_entry_id;
        break;
    case MPV_EVENT_FILE_LOADED:
        // Events of a file that a later play() or stop() replaced are stale.
        if (!m_active || m_pendingStarts > 0)
            break;
        m_loaded = true;
        if (m_pendingSeek >= 0) {
            const qint64 ms = m_pendingSeek;
            m_pendingSeek = -1;
            issueSeek(ms);
        }
        // Announce the file once its length is known: ask for it, in order.
        mpv_get_property_async(m_mpv, LoadedReplyBase + m_generation, "duration", MPV_FORMAT_DOUBLE);
        break;
    case MPV_EVENT_GET_PROPERTY_REPLY:
        if (event->reply_userdata == LoadedReplyBase + m_generation && m_active && m_loaded) {
            const auto *prop = static_cast<const mpv_event_property *>(event->data);
            if (event->error >= 0 && prop->format == MPV_FORMAT_DOUBLE && prop->data) {
                const qint64 ms = qint64(*static_cast<double *>(prop->data) * 1000.0);
                if (ms != m_durationMs) {
                    m_durationMs = ms;
                    emit durationChanged(ms);
                }
            }
            emit loaded();
            emit started();
        }
        break;
    case MPV_EVENT_END_FILE:
        handleEndFile(event);
        break;
    case MPV_EVENT_PLAYBACK_RESTART:
        if (m_seeking) {
            m_seeking = false;
            emit seekFinished(m_positionMs);
            // A seek to the very end lands on the end of the file.
            if (m_eofReached && m_loaded && m_active && m_pendingStarts == 0)
                setEnded(true);
        }
        break;
    case MPV_EVENT_PROPERTY_CHANGE:
        handlePropertyChange(event);
        break;
    case MPV_EVENT_LOG_MESSAGE: {
        const auto *msg = static_cast<const mpv_event_log_message *>(event->data);
        qDebug().noquote() << "mpv" << msg->prefix << QString::fromUtf8(msg->text).trimmed();
        break;
    }
    default:
        break;
    }
}

void MediaPlayer::handlePropertyChange(const mpv_event *event)
{
    if (!m_active || m_pendingStarts > 0)
        return;
    const auto *prop = static_cast<const mpv_event_property *>(event->data);
    const bool present = prop->format != MPV_FORMAT_NONE && prop->data;
    switch (event->reply_userdata) {
    case TimePos:
        // While a seek runs, keep the target rather than frames before it.
        if (present && !m_seeking) {
            const qint64 ms = qMax<qint64>(0, qint64(*static_cast<double *>(prop->data) * 1000.0));
            if (ms != m_positionMs) {
                m_positionMs = ms;
                emit positionChanged(ms);
            }
        }
        break;
    case Duration: {
        const qint64 ms = present ? qint64(*static_cast<double *>(prop->data) * 1000.0) : 0;
        if (ms != m_durationMs) {
            m_durationMs = ms;
            emit durationChanged(ms);
        }
        break;
    }
    case Seekable: {
        const bool s = present && *static_cast<int *>(prop->data);
        if (s != m_seekable) {
            m_seekable = s;
            emit seekableChanged(s);
        }
        break;
    }
    case EofReached:
        m_eofReached = present && *static_cast<int *>(prop->data);
        if (m_eofReached && m_loaded && !m_seeking)
            setEnded(true);
        break;
    default:
        break;
    }
}

void MediaPlayer::handleEndFile(const mpv_event *event)
{
    const auto *end = static_cast<const mpv_event_end_file *>(event->data);
    if (m_pendingStarts > 0 || end->playlist_entry_id != m_entryId || !m_active)
        return;
    switch (end->reason) {
    case MPV_END_FILE_REASON_ERROR: {
        const QString message = QString::fromUtf8(mpv_error_string(end->error));
        qDebug().noquote() << "media player: cannot play" << m_path << "-" << message;
        m_active = false;
        resetMediaState();
        if (m_renderer)
            m_renderer->clearFrame();
        emit error(message);
        emit stopped();
        break;
    }
    case MPV_END_FILE_REASON_EOF:
        setEnded(true);
        break;
    default:
        // A stop or a replacement that this object asked for itself.
        break;
    }
}

void MediaPlayer::setEnded(bool ended)
{
    if (m_ended == ended)
        return;
    m_ended = ended;
    if (ended) {
        // Like a player that stops at the end; the file stays open (the last
        // frame shows) so that a later seek or resume needs no reload.
        m_paused = false;
        if (m_durationMs > 0 && m_positionMs != m_durationMs) {
            m_positionMs = m_durationMs;
            emit positionChanged(m_positionMs);
        }
        emit stopped();
    }
}

void MediaPlayer::resetMediaState()
{
    m_loaded = false;
    m_ended = false;
    m_seeking = false;
    m_eofReached = false;
    m_pendingSeek = -1;
    const bool hadPosition = m_positionMs != 0;
    const bool hadDuration = m_durationMs != 0;
    const bool wasSeekable = m_seekable;
    m_positionMs = 0;
    m_durationMs = 0;
    m_seekable = false;
    if (hadPosition)
        emit positionChanged(0);
    if (hadDuration)
        emit durationChanged(0);
    if (wasSeekable)
        emit seekableChanged(false);
}

void MediaPlayer::play(const QString &path)
{
    if (!m_mpv)
        return;
    m_path = path;
    m_active = true;
    ++m_generation;
    m_paused = false;
    resetMediaState();
    ++m_pendingStarts;
    // The pause flag survives a loadfile; clear it first (requests run in order).
    setFlag("pause", false);
    commandAsync({"loadfile", path.toUtf8(), "replace"});
}

void MediaPlayer::play()
{
    if (m_path.isEmpty())
        return;
    if (m_active && m_loaded) {
        // Still open (possibly ended): start again without reloading.
        m_ended = false;
        m_paused = false;
        issueSeek(0);
        setFlag("pause", false);
        emit started();
        return;
    }
    play(m_path);
}

void MediaPlayer::pause(bool p)
{
    if (!m_mpv)
        return;
    if (m_ended) {
        if (p)
            return;
        // Resuming after the end: from the start unless a seek moved us back.
        if (m_positionMs >= m_durationMs - EndSlackMs)
            issueSeek(0);
        m_ended = false;
        m_paused = false;
        setFlag("pause", false);
        emit paused(false);
        emit started();
        return;
    }
    if (!m_active || m_paused == p)
        return;
    m_paused = p;
    setFlag("pause", p);
    emit paused(p);
}

void MediaPlayer::stop()
{
    if (!m_mpv || !m_active)
        return;
    m_active = false;
    m_paused = false;
    m_pendingStarts = 0;
    ++m_generation;
    commandAsync({"stop"});
    resetMediaState();
    if (m_renderer)
        m_renderer->clearFrame();
    emit stopped();
}

void MediaPlayer::seek(qint64 ms)
{
    if (!m_mpv || !m_active)
        return;
    ms = qMax<qint64>(0, ms);
    if (m_durationMs > 0)
        ms = qMin(ms, m_durationMs);
    if (!m_loaded) {
        // Not open yet: seek as soon as it is.
        m_pendingSeek = ms;
        m_positionMs = ms;
        return;
    }
    if (m_ended) {
        // Back from the end, paused at the new place.
        m_ended = false;
        m_paused = true;
    }
    issueSeek(ms);
}

void MediaPlayer::issueSeek(qint64 ms)
{
    m_seeking = true;
    if (m_positionMs != ms) {
        m_positionMs = ms;
        emit positionChanged(ms);
    }
    commandAsync({"seek", QByteArray::number(double(ms) / 1000.0, 'f', 3), "absolute+exact"});
}

void MediaPlayer::stepFrame(bool forward)
{
    if (!m_mpv || !m_active || !m_loaded)
        return;
    m_ended = false;
    m_paused = true;
    commandAsync({forward ? QByteArray("frame-step") : QByteArray("frame-back-step")});
}

qint64 MediaPlayer::position() const
{
    return m_durationMs > 0 ? qMin(m_positionMs, m_durationMs) : m_positionMs;
}

qint64 MediaPlayer::duration() const
{
    return m_durationMs;
}

bool MediaPlayer::isPlaying() const
{
    return m_active && !m_ended;
}

bool MediaPlayer::isPaused() const
{
    return isPlaying() && m_paused;
}

bool MediaPlayer::isSeekable() const
{
    return m_active && m_loaded && m_seekable;
}

void MediaPlayer::commandAsync(const QList<QByteArray> &args)
{
    if (!m_mpv)
        return;
    QVector<const char *> argv;
    for (const QByteArray &a : args)
        argv.append(a.constData());
    argv.append(nullptr);
    mpv_command_async(m_mpv, 0, argv.data());
}

void MediaPlayer::setFlag(const char *name, bool value)
{
    if (!m_mpv)
        return;
    int flag = value ? 1 : 0;
    mpv_set_property_async(m_mpv, 0, name, MPV_FORMAT_FLAG, &flag);
}

void MediaPlayer::setDouble(const char *name, double value)
{
    if (!m_mpv)
        return;
    mpv_set_property_async(m_mpv, 0, name, MPV_FORMAT_DOUBLE, &value);
}
