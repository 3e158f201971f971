#pragma once

#include <QElapsedTimer>
#include <QProcess>
#include <QSize>
#include <QStringList>
#include <QTime>

// The outside encoder (ffmpeg) as a child process: the one place that knows
// where the program is and how its command lines look.
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

    // -ss start -i input -r 25 -t length output; start "hh:mm:ss" of start,
    // length "hh:mm:ss" of the whole seconds from start to end. The seek
    // stands before the input: ffmpeg then jumps to the key frame before the
    // start instead of decoding everything up to it, and still cuts at the
    // exact frame.
    static QStringList cutArguments(const QString &input, const QTime &start, const QTime &end,
                                    const QString &output);
    // -ss 00:00:01 -i address -vframes 1 picture: one frame at one second,
    // reading only what lies around it (over HTTP: a range request).
    static QStringList thumbnailArguments(const QString &videoAddress, const QString &picturePath);
    // One picture every `every` seconds, scaled to tile and laid side by side
    // into one image of `count` tiles; from the key frames only when asked.
    static QStringList filmstripArguments(const QString &input, int count, double every, const QSize &tile,
                                          bool keyFramesOnly, const QString &picturePath);
    // The whole input again at videoKbps (and at most 720 lines high), so that
    // it fits a size.
    static QStringList shrinkArguments(const QString &input, int videoKbps, const QString &output);
    // "%1:%2:%3" of a count of seconds, each part at least two digits.
    static QString lengthText(int seconds);

    // Cuts with progress: the run reports progress() on its way.
    void startCut(const QString &input, const QTime &start, const QTime &end, const QString &output);
    void startThumbnail(const QString &videoAddress, const QString &picturePath);
    // Starts the program read-write with these arguments and closes its input
    // at once: an ffmpeg asking whether to overwrite then ends instead of
    // waiting for an answer for ever.
    void startEncoder(const QStringList &arguments);
    // The same, asking ffmpeg for its progress on its output channel; the
    // output is expected to become expectedMs long.
    void startWithProgress(const QStringList &arguments, qint64 expectedMs);

    // Ends the run; finished() still arrives. The caller removes what it wrote.
    void cancel();
    bool wasCancelled() const { return m_cancelled; }
    // How much output the run reported written, in milliseconds.
    qint64 writtenMs() const { return m_writtenMs; }
    // What the encoder said on its error channel, once it has finished.
    QByteArray report() const { return m_report; }

    // "已完成 45%，剩余约 1分05秒" for the busy overlay.
    static QString progressText(int percent, qint64 leftMs);

signals:
    // percent 0-100 of the expected output; leftMs estimated from the pace
    // so far (-1 until there is one).
    void progress(int percent, qint64 leftMs);

private:
    void onErrorOccurred(QProcess::ProcessError error);
    void onFinished(int exitCode, QProcess::ExitStatus status);
    void readProgress();

    qint64 m_expectedMs = 0;
    qint64 m_writtenMs = 0;
    QElapsedTimer m_clock;
    bool m_cancelled = false;
    QByteArray m_report;
};
