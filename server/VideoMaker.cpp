#include "VideoMaker.h"

#include <QDebug>
#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>

#include <memory>

namespace {
QStringList arguments(const VideoMaker::Job &job)
{
    const QString seconds = QString::number(job.seconds);
    return {QStringLiteral("-nostdin"), QStringLiteral("-hide_banner"), QStringLiteral("-loglevel"), QStringLiteral("error"),
            QStringLiteral("-y"),
            QStringLiteral("-f"), QStringLiteral("lavfi"), QStringLiteral("-i"), job.source,
            QStringLiteral("-i"), job.overlay,
            QStringLiteral("-f"), QStringLiteral("lavfi"), QStringLiteral("-i"), QStringLiteral("sine=frequency=523:sample_rate=44100"),
            QStringLiteral("-filter_complex"), QStringLiteral("[0:v][1:v]overlay=0:0:format=auto,format=yuv420p[v]"),
            QStringLiteral("-map"), QStringLiteral("[v]"), QStringLiteral("-map"), QStringLiteral("2:a"),
            QStringLiteral("-t"), seconds,
            QStringLiteral("-c:v"), QStringLiteral("libx264"), QStringLiteral("-preset"), QStringLiteral("ultrafast"),
            QStringLiteral("-crf"), QStringLiteral("30"), QStringLiteral("-g"), QStringLiteral("25"),
            QStringLiteral("-c:a"), QStringLiteral("aac"), QStringLiteral("-b:a"), QStringLiteral("48k"),
            QStringLiteral("-movflags"), QStringLiteral("+faststart"), job.output};
}
}

bool VideoMaker::available()
{
    return !QStandardPaths::findExecutable(QStringLiteral("ffmpeg")).isEmpty();
}

int VideoMaker::run(const QVector<Job> &jobs)
{
    const QString ffmpeg = QStandardPaths::findExecutable(QStringLiteral("ffmpeg"));
    if (ffmpeg.isEmpty())
        return jobs.size();
    int failed = 0;
    int next = 0;
    std::vector<std::pair<std::unique_ptr<QProcess>, int>> running;
    while (next < jobs.size() || !running.empty()) {
        while (next < jobs.size() && running.size() < 2) {
            auto p = std::make_unique<QProcess>();
            p->setProcessChannelMode(QProcess::MergedChannels);
            p->start(ffmpeg, arguments(jobs.at(next)));
            p->closeWriteChannel();
            running.emplace_back(std::move(p), next++);
        }
        for (auto it = running.begin(); it != running.end();) {
            QProcess &p = *it->first;
            if (p.state() == QProcess::NotRunning || p.waitForFinished(50)) {
                const Job &job = jobs.at(it->second);
                if (p.exitStatus() != QProcess::NormalExit || p.exitCode() != 0 || !QFileInfo(job.output).isFile()) {
                    ++failed;
                    qWarning().noquote() << "ffmpeg failed for" << job.output << p.readAll().left(400);
                }
                it = running.erase(it);
            } else {
                ++it;
            }
        }
    }
    return failed;
}
