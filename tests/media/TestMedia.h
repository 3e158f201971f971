#pragma once

#include <QImage>
#include <QProcess>
#include <QSet>
#include <QString>
#include <QStringList>

// Real media files made by ffmpeg for the media tests.
namespace TestMedia {

// Runs ffmpeg quietly, overwriting its output; true when it ended well.
inline bool ffmpeg(const QStringList &arguments)
{
    QProcess p;
    p.start(QStringLiteral("ffmpeg"), QStringList{"-hide_banner", "-loglevel", "error", "-y"} + arguments);
    return p.waitForFinished(120000) && p.exitStatus() == QProcess::NormalExit && p.exitCode() == 0;
}

// seconds of the moving test picture with a tone, 320x240 at 25 frames a second.
inline bool make(const QString &path, int seconds)
{
    return ffmpeg({"-f", "lavfi", "-i", QStringLiteral("testsrc=duration=%1:size=320x240:rate=25").arg(seconds),
                   "-f", "lavfi", "-i", QStringLiteral("sine=frequency=440:duration=%1").arg(seconds),
                   "-c:v", "libx264", "-pix_fmt", "yuv420p", "-g", "25", "-c:a", "aac", "-shortest",
                   "-movflags", "+faststart", path});
}

// Small and without sound: fast to make at any length (an hour at one frame a second).
inline bool makeSilent(const QString &path, double seconds, int rate)
{
    return ffmpeg({"-f", "lavfi", "-i", QStringLiteral("testsrc=duration=%1:size=64x48:rate=%2").arg(seconds).arg(rate),
                   "-c:v", "libx264", "-pix_fmt", "yuv420p", "-g", QString::number(rate * 10), path});
}

// What ffprobe prints for these arguments, trimmed; empty on failure.
inline QString ffprobe(const QStringList &arguments)
{
    QProcess p;
    p.start(QStringLiteral("ffprobe"), QStringList{"-v", "error"} + arguments);
    if (!p.waitForFinished(30000) || p.exitCode() != 0)
        return QString();
    return QString::fromLatin1(p.readAllStandardOutput()).trimmed();
}

// Length of a media file in milliseconds; -1 on failure.
inline qint64 probeDurationMs(const QString &path)
{
    bool ok = false;
    const double s = ffprobe({"-show_entries", "format=duration", "-of", "default=noprint_wrappers=1:nokey=1", path})
                         .toDouble(&ok);
    return ok ? qint64(s * 1000.0 + 0.5) : -1;
}

// Number of video frames, counted by decoding; -1 on failure.
inline int probeFrames(const QString &path)
{
    bool ok = false;
    const int n = ffprobe({"-count_frames", "-select_streams", "v:0", "-show_entries", "stream=nb_read_frames",
                           "-of", "default=noprint_wrappers=1:nokey=1", path})
                      .toInt(&ok);
    return ok ? n : -1;
}

// Colours in an area of a picture, four bits a channel: a frame of the test
// picture has many, an empty video area one.
inline int colourCount(const QImage &image, const QRect &area)
{
    QSet<QRgb> colours;
    for (int y = area.top(); y < area.bottom(); y += 3)
        for (int x = area.left(); x < area.right(); x += 3)
            colours.insert(image.pixel(x, y) & 0xF0F0F0);
    return colours.size();
}

}
