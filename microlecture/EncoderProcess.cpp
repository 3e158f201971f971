#include "EncoderProcess.h"

#include <QCoreApplication>
#include <QDebug>
#include <QFileInfo>
#include <QStandardPaths>

EncoderProcess::EncoderProcess(QObject *parent)
    : QProcess(parent)
{
    // The encoder's report is read only when a run fails; its output channel
    // carries progress, for runs that ask for it.
    qRegisterMetaType<QProcess::ExitStatus>();
    setStandardOutputFile(QProcess::nullDevice());
    connect(this, &QProcess::errorOccurred, this, &EncoderProcess::onErrorOccurred);
    connect(this, QOverload<int, QProcess::ExitStatus>::of(&QProcess::finished), this,
            &EncoderProcess::onFinished);
    connect(this, &QProcess::readyReadStandardOutput, this, &EncoderProcess::readProgress);
}

QString EncoderProcess::program()
{
    return programIn(QCoreApplication::applicationDirPath());
}

QString EncoderProcess::programIn(const QString &applicationDir)
{
#ifdef Q_OS_WIN
    const QString bundled = applicationDir + QStringLiteral("/ffmpeg/bin/ffmpeg.exe");
#else
    const QString bundled = applicationDir + QStringLiteral("/ffmpeg/bin/ffmpeg");
#endif
    const QFileInfo info(bundled);
    if (info.isFile() && info.isExecutable())
        return bundled;
    const QString onPath = QStandardPaths::findExecutable(QStringLiteral("ffmpeg"));
    return onPath.isEmpty() ? QStringLiteral("ffmpeg") : onPath;
}

QString EncoderProcess::lengthText(int seconds)
{
    seconds = qMax(0, seconds);
    const QChar zero(QLatin1Char('0'));
    return QStringLiteral("%1:%2:%3")
        .arg(seconds / 3600, 2, 10, zero)
        .arg((seconds / 60) % 60, 2, 10, zero)
        .arg(seconds % 60, 2, 10, zero);
}

QStringList EncoderProcess::cutArguments(const QString &input, const QTime &start, const QTime &end,
                                         const QString &output)
{
    return {QStringLiteral("-ss"), start.toString(QStringLiteral("hh:mm:ss")),
            QStringLiteral("-i"),  input,
            QStringLiteral("-r"),  QStringLiteral("25"),
            QStringLiteral("-t"),  lengthText(start.secsTo(end)),
            output};
}

QStringList EncoderProcess::thumbnailArguments(const QString &videoAddress, const QString &picturePath)
{
    return {QStringLiteral("-ss"),      QStringLiteral("00:00:01"),
            QStringLiteral("-i"),       videoAddress,
            QStringLiteral("-vframes"), QStringLiteral("1"),
            picturePath};
}

QStringList EncoderProcess::filmstripArguments(const QString &input, int count, double every, const QSize &tile,
                                               bool keyFramesOnly, const QString &picturePath)
{
    const QString filters = QStringLiteral("fps=1/%1,scale=%2:%3,tile=%4x1")
                                .arg(every, 0, 'f', 3)
                                .arg(tile.width())
                                .arg(tile.height())
                                .arg(count);
    QStringList args;
    if (keyFramesOnly)
        args << QStringLiteral("-skip_frame") << QStringLiteral("nokey");
    args << QStringLiteral("-i") << input << QStringLiteral("-an") << QStringLiteral("-vf") << filters
         << QStringLiteral("-frames:v") << QStringLiteral("1") << picturePath;
    return args;
}

QStringList EncoderProcess::shrinkArguments(const QString &input, int videoKbps, const QString &output)
{
    const QString rate = QString::number(videoKbps) + QLatin1Char('k');
    return {QStringLiteral("-i"),       input,
            QStringLiteral("-vf"),      QStringLiteral("scale=-2:'min(720,ih)'"),
            QStringLiteral("-c:v"),     QStringLiteral("libx264"),
            QStringLiteral("-preset"),  QStringLiteral("veryfast"),
            QStringLiteral("-b:v"),     rate,
            QStringLiteral("-maxrate"), rate,
            QStringLiteral("-bufsize"), rate,
            QStringLiteral("-c:a"),     QStringLiteral("aac"),
            QStringLiteral("-b:a"),     QStringLiteral("96k"),
            output};
}

void EncoderProcess::startCut(const QString &input, const QTime &start, const QTime &end,
                              const QString &output)
{
    startWithProgress(cutArguments(input, start, end, output), qint64(qMax(0, start.secsTo(end))) * 1000);
}

void EncoderProcess::startThumbnail(const QString &videoAddress, const QString &picturePath)
{
    startEncoder(thumbnailArguments(videoAddress, picturePath));
}

void EncoderProcess::startEncoder(const QStringList &arguments)
{
    m_cancelled = false;
    start(program(), arguments, QIODevice::ReadWrite);
    closeWriteChannel();
}

void EncoderProcess::startWithProgress(const QStringList &arguments, qint64 expectedMs)
{
    m_expectedMs = expectedMs;
    m_writtenMs = 0;
    m_clock.start();
    setStandardOutputFile(QString()); // back to the pipe
    startEncoder(QStringList{QStringLiteral("-progress"), QStringLiteral("pipe:1"), QStringLiteral("-nostats")}
                 + arguments);
}

void EncoderProcess::cancel()
{
    if (state() == QProcess::NotRunning)
        return;
    m_cancelled = true;
    kill();
}

QString EncoderProcess::progressText(int percent, qint64 leftMs)
{
    QString text = QStringLiteral("已完成 %1%").arg(percent);
    if (leftMs >= 0) {
        const qint64 s = (leftMs + 999) / 1000;
        text += s >= 60 ? QStringLiteral("，剩余约 %1分%2秒").arg(s / 60).arg(s % 60, 2, 10, QLatin1Char('0'))
                        : QStringLiteral("，剩余约 %1秒").arg(s);
    }
    return text;
}

void EncoderProcess::readProgress()
{
    // Blocks of "key=value" lines; out_time_us is how much output is written.
    while (canReadLine()) {
        const QByteArray line = readLine().trimmed();
        if (!line.startsWith("out_time_us="))
            continue;
        bool ok = false;
        const qint64 doneMs = line.mid(12).toLongLong(&ok) / 1000;
        if (!ok || doneMs < 0)
            continue;
        m_writtenMs = doneMs;
        if (m_expectedMs <= 0)
            continue;
        const double fraction = qBound(0.0, double(doneMs) / double(m_expectedMs), 1.0);
        const qint64 elapsed = m_clock.elapsed();
        const qint64 left = fraction > 0.01 ? qint64(elapsed * (1.0 - fraction) / fraction) : -1;
        emit progress(int(fraction * 100), left);
    }
}

void EncoderProcess::onErrorOccurred(QProcess::ProcessError error)
{
    if (error != QProcess::FailedToStart)
        return;
    qDebug().noquote() << "encoder: cannot start" << QProcess::program() << "-" << errorString();
    // Report the end like any other run, after the caller's start() returned.
    QMetaObject::invokeMethod(this, [this] { emit finished(-1, QProcess::CrashExit); },
                              Qt::QueuedConnection);
}

void EncoderProcess::onFinished(int exitCode, QProcess::ExitStatus status)
{
    readProgress();
    m_report = readAllStandardError();
    if ((exitCode == 0 && status == QProcess::NormalExit) || m_cancelled)
        return;
    const QList<QByteArray> lines = m_report.trimmed().split('\n');
    qDebug().noquote() << "encoder: ended with" << exitCode << "-"
                       << QString::fromLocal8Bit(lines.isEmpty() ? QByteArray() : lines.last().trimmed());
}
