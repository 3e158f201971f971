#include "PublishUpload.h"

#include "EncoderProcess.h"
#include "FormAnimation.h"
#include "Http_access.h"

#include <QEventLoop>
#include <QFile>
#include <QFileInfo>
#include <QMessageBox>
#include <QPushButton>
#include <QRegularExpression>

namespace {
// Sound and the container's own bytes, in kbit/s.
const int kAudioKbps = 96;
const int kOverheadKbps = 24;
}

QString PublishUpload::sizeText(qint64 bytes)
{
    return QStringLiteral("%1 MB").arg(double(bytes) / (1024.0 * 1024.0), 0, 'f', 1);
}

PublishUpload::Choice PublishUpload::ask(const QString &path, bool offerShrink, QWidget *parent)
{
    const QFileInfo info(path);
    if (!info.isFile() || info.size() <= kLimitBytes)
        return Upload;
    QMessageBox box(QMessageBox::Question, QStringLiteral("提示"),
                    QStringLiteral("文件大小为 %1，超过了 50 MB。\n是否仍要上传？").arg(sizeText(info.size())),
                    QMessageBox::NoButton, parent);
    box.setObjectName(QStringLiteral("sizeQuestion"));
    QPushButton *upload = box.addButton(QStringLiteral("仍然上传"), QMessageBox::AcceptRole);
    upload->setObjectName(QStringLiteral("pushButton_upload"));
    QPushButton *smaller = nullptr;
    if (offerShrink) {
        smaller = box.addButton(QStringLiteral("压缩到50 MB以内再上传"), QMessageBox::ActionRole);
        smaller->setObjectName(QStringLiteral("pushButton_shrink"));
        box.setDefaultButton(smaller);
    }
    QPushButton *cancel = box.addButton(QStringLiteral("取消"), QMessageBox::RejectRole);
    cancel->setObjectName(QStringLiteral("pushButton_cancel"));
    box.setEscapeButton(cancel);
    box.exec();
    if (box.clickedButton() == upload)
        return Upload;
    if (smaller && box.clickedButton() == smaller)
        return Shrink;
    return Cancel;
}

int PublishUpload::videoKbpsFor(qint64 lengthMs, qint64 bytes)
{
    // Nine tenths of the limit, over the length plus one second: the rate
    // control may run a buffer of one second's worth ahead of the rate.
    const double seconds = qMax<qint64>(lengthMs, 1000) / 1000.0 + 1.0;
    const double totalKbps = double(bytes) * 0.9 * 8.0 / 1000.0 / seconds;
    return qMax(100, int(totalKbps) - kAudioKbps - kOverheadKbps);
}

qint64 PublishUpload::lengthOf(const QString &path)
{
    // The encoder with an input only says what it holds and ends.
    EncoderProcess probe;
    QEventLoop loop;
    QObject::connect(&probe, QOverload<int, QProcess::ExitStatus>::of(&QProcess::finished), &loop, &QEventLoop::quit);
    probe.startEncoder({QStringLiteral("-hide_banner"), QStringLiteral("-i"), path});
    loop.exec();
    const QRegularExpression duration(QStringLiteral("Duration: (\\d+):(\\d\\d):(\\d\\d)\\.(\\d\\d)"));
    const QRegularExpressionMatch m = duration.match(QString::fromLocal8Bit(probe.report()));
    if (!m.hasMatch())
        return -1;
    return ((m.captured(1).toLongLong() * 60 + m.captured(2).toLongLong()) * 60 + m.captured(3).toLongLong()) * 1000
           + m.captured(4).toLongLong() * 10;
}

QString PublishUpload::shrink(const QString &path, const QString &output, bool *cancelled)
{
    *cancelled = false;
    QFile::remove(output);
    const qint64 lengthMs = lengthOf(path);
    if (lengthMs <= 0)
        return QString();
    EncoderProcess run;
    QEventLoop loop;
    FormAnimation *overlay = FormAnimation::instance();
    QMetaObject::Connection cancelLink;
    if (overlay) {
        overlay->showBusy();
        overlay->showProgress(0, QStringLiteral("正在压缩视频"));
        QObject::connect(&run, &EncoderProcess::progress, overlay, [overlay](int percent, qint64 leftMs) {
            overlay->showProgress(percent, QStringLiteral("正在压缩视频，") + EncoderProcess::progressText(percent, leftMs));
        });
        cancelLink = QObject::connect(overlay, &FormAnimation::cancelRequested, &run, &EncoderProcess::cancel);
    }
    QObject::connect(&run, QOverload<int, QProcess::ExitStatus>::of(&QProcess::finished), &loop, &QEventLoop::quit);
    run.startWithProgress(EncoderProcess::shrinkArguments(path, videoKbpsFor(lengthMs, kLimitBytes), output),
                          lengthMs);
    loop.exec();
    QObject::disconnect(cancelLink);
    if (overlay)
        overlay->hideProgress();
    const bool ok = !run.wasCancelled() && run.exitStatus() == QProcess::NormalExit && run.exitCode() == 0
                    && QFileInfo(output).size() > 0;
    if (!ok) {
        *cancelled = run.wasCancelled();
        QFile::remove(output);
        return QString();
    }
    return output;
}

QString PublishUpload::upload(const QString &address, const QString &path, const QString &contentType,
                              bool *cancelled)
{
    Http_access *http = Http_access::instance();
    FormAnimation *overlay = FormAnimation::instance();
    QMetaObject::Connection progressLink, cancelLink;
    if (overlay) {
        overlay->showBusy();
        overlay->showProgress(0, QStringLiteral("正在上传"));
        progressLink = QObject::connect(http, &Http_access::uploadProgress, overlay, [overlay](qint64 sent, qint64 total) {
            if (total <= 0)
                return;
            const int percent = int(sent * 100 / total);
            overlay->showProgress(percent, QStringLiteral("已上传 %1%（%2 / %3）")
                                               .arg(percent)
                                               .arg(sizeText(sent), sizeText(total)));
        });
        cancelLink = QObject::connect(overlay, &FormAnimation::cancelRequested, http, &Http_access::cancelUpload);
    }
    const QString stored = http->uploadFile(address, path, contentType);
    QObject::disconnect(progressLink);
    QObject::disconnect(cancelLink);
    *cancelled = http->uploadCancelled();
    if (overlay)
        overlay->hideProgress();
    return stored;
}
