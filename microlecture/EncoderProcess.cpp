#include "EncoderProcess.h"

#include <QCoreApplication>
#include <QDebug>
#include <QFileInfo>
#include <QStandardPaths>

EncoderProcess::EncoderProcess(QObject *parent)
    : QProcess(parent)
{
    // Nothing reads the encoder's report while it runs; it is printed only
    // when a run fails.
    qRegisterMetaType<QProcess::ExitStatus>();
    setStandardOutputFile(QProcess::nullDevice());
    connect(this, &QProcess::errorOccurred, this, &EncoderProcess::onErrorOccurred);
    connect(this, QOverload<int, QProcess::ExitStatus>::of(&QProcess::finished), this,
            &EncoderProcess::onFinished);
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
    return {QStringLiteral("-i"),  input,
            QStringLiteral("-r"),  QStringLiteral("25"),
            QStringLiteral("-ss"), start.toString(QStringLiteral("hh:mm:ss")),
            QStringLiteral("-t"),  lengthText(start.secsTo(end)),
            output};
}

QStringList EncoderProcess::thumbnailArguments(const QString &videoAddress, const QString &picturePath)
{
    return {QStringLiteral("-i"),       videoAddress,
            QStringLiteral("-ss"),      QStringLiteral("00:00:01"),
            QStringLiteral("-vframes"), QStringLiteral("1"),
            picturePath};
}

void EncoderProcess::startCut(const QString &input, const QTime &start, const QTime &end,
                              const QString &output)
{
    startEncoder(cutArguments(input, start, end, output));
}

void EncoderProcess::startThumbnail(const QString &videoAddress, const QString &picturePath)
{
    startEncoder(thumbnailArguments(videoAddress, picturePath));
}

void EncoderProcess::startEncoder(const QStringList &arguments)
{
    start(program(), arguments, QIODevice::ReadWrite);
    closeWriteChannel();
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
    if (exitCode == 0 && status == QProcess::NormalExit)
        return;
    const QByteArray report = readAllStandardError();
    const QList<QByteArray> lines = report.trimmed().split('\n');
    qDebug().noquote() << "encoder: ended with" << exitCode << "-"
                       << QString::fromLocal8Bit(lines.isEmpty() ? QByteArray() : lines.last().trimmed());
}
