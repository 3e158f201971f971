#pragma once

#include <QProcess>
#include <QString>
#include <QStringList>

// Real media files made by ffmpeg for the media tests.
namespace TestMedia {

// seconds of the moving test picture with a tone, 320x240 at 25 frames a second.
inline bool make(const QString &path, int seconds)
{
    QProcess p;
    p.start(QStringLiteral("ffmpeg"),
            {"-hide_banner", "-loglevel", "error", "-y",
             "-f", "lavfi", "-i", QStringLiteral("testsrc=duration=%1:size=320x240:rate=25").arg(seconds),
             "-f", "lavfi", "-i", QStringLiteral("sine=frequency=440:duration=%1").arg(seconds),
             "-c:v", "libx264", "-pix_fmt", "yuv420p", "-g", "25", "-c:a", "aac", "-shortest",
             "-movflags", "+faststart", path});
    return p.waitForFinished(60000) && p.exitStatus() == QProcess::NormalExit && p.exitCode() == 0;
}

// Length of a media file in milliseconds, as ffprobe reads it; -1 on failure.
inline qint64 probeDurationMs(const QString &path)
{
    QProcess p;
    p.start(QStringLiteral("ffprobe"), {"-v", "error", "-show_entries", "format=duration",
                                         "-of", "default=noprint_wrappers=1:nokey=1", path});
    if (!p.waitForFinished(30000) || p.exitCode() != 0)
        return -1;
    bool ok = false;
    const double s = QString::fromLatin1(p.readAllStandardOutput()).trimmed().toDouble(&ok);
    return ok ? qint64(s * 1000.0 + 0.5) : -1;
}

// Number of video frames, counted by decoding; -1 on failure.
inline int probeFrames(const QString &path)
{
    QProcess p;
    p.start(QStringLiteral("ffprobe"), {"-v", "error", "-count_frames", "-select_streams", "v:0",
                                         "-show_entries", "stream=nb_read_frames",
                                         "-of", "default=noprint_wrappers=1:nokey=1", path});
    if (!p.waitForFinished(30000) || p.exitCode() != 0)
        return -1;
    bool ok = false;
    const int n = QString::fromLatin1(p.readAllStandardOutput()).trimmed().toInt(&ok);
    return ok ? n : -1;
}

}
