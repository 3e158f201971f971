#pragma once

#include <QProcess>
#include <QStringList>
#include <QTime>

// The outside encoder (ffmpeg) as a child process: the one place that knows
// where the program is and how its two command lines look.
//
// Callers delete an existing file at the output path before starting (the
// command lines carry no overwrite option) and learn of the end only through
// finished(int, QProcess::ExitStatus); a slot taking just the exit code may be
// connected to it. finished() also arrives, queued, when the program cannot be
// started at all, so a caller waiting for it is never left hanging. Success is
// judged by the output file, not by the exit code.
class EncoderProcess : public QProcess
{
    Q_OBJECT

public:
    explicit EncoderProcess(QObject *parent = nullptr);

    // The application directory + "/ffmpeg/bin/ffmpeg" (".exe" on Windows)
    // when that file exists, else ffmpeg on the PATH.
    static QString program();
    static QString programIn(const QString &applicationDir);

    // -i input -r 25 -ss start -t length output; start "hh:mm:ss" of start,
    // length "hh:mm:ss" of the whole seconds from start to end.
    static QStringList cutArguments(const QString &input, const QTime &start, const QTime &end,
                                    const QString &output);
    // -i address -ss 00:00:01 -vframes 1 picture: one frame at one second.
    static QStringList thumbnailArguments(const QString &videoAddress, const QString &picturePath);
    // "%1:%2:%3" of a count of seconds, each part at least two digits.
    static QString lengthText(int seconds);

    void startCut(const QString &input, const QTime &start, const QTime &end, const QString &output);
    void startThumbnail(const QString &videoAddress, const QString &picturePath);
    // Starts the program read-write with these arguments and closes its input
    // at once: an ffmpeg asking whether to overwrite then ends instead of
    // waiting for an answer for ever.
    void startEncoder(const QStringList &arguments);

private:
    void onErrorOccurred(QProcess::ProcessError error);
    void onFinished(int exitCode, QProcess::ExitStatus status);
};
