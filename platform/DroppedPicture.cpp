#include "DroppedPicture.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImageReader>
#include <QMimeData>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QTemporaryDir>

namespace {
const QStringList Suffixes = {QStringLiteral("png"), QStringLiteral("jpg"), QStringLiteral("jpeg"),
                              QStringLiteral("bmp"), QStringLiteral("gif"), QStringLiteral("svg")};
constexpr qint64 MaxBytes = 64 * 1024 * 1024;
}

DroppedPicture::DroppedPicture(QObject *parent)
    : QObject(parent), m_network(new QNetworkAccessManager(this))
{
}

DroppedPicture::~DroppedPicture()
{
    delete m_dir;
}

QUrl DroppedPicture::pictureUrl(const QMimeData *data)
{
    if (!data || !data->hasUrls() || data->urls().isEmpty())
        return QUrl();
    const QUrl url = data->urls().first();
    const QString scheme = url.scheme();
    if (url.isLocalFile() || scheme == QLatin1String("http") || scheme == QLatin1String("https"))
        return url;
    return QUrl();
}

void DroppedPicture::fetch(const QUrl &url, const QPoint &at)
{
    const QString name = url.fileName();
    if (url.isLocalFile()) {
        const QString path = url.toLocalFile();
        if (QImageReader(path).canRead())
            emit ready(path, at);
        else
            emit failed(name, at);
        return;
    }
    if (!m_dir)
        m_dir = new QTemporaryDir(QDir::tempPath() + QStringLiteral("/lumexa-drops-XXXXXX"));
    QNetworkRequest request(url);
    request.setAttribute(QNetworkRequest::RedirectPolicyAttribute, QNetworkRequest::NoLessSafeRedirectPolicy);
    QNetworkReply *reply = m_network->get(request);
    connect(reply, &QNetworkReply::finished, this, [this, reply, name, at] {
        reply->deleteLater();
        const QByteArray body = reply->error() == QNetworkReply::NoError ? reply->read(MaxBytes) : QByteArray();
        // The local name is ours: never one made from the address.
        QString suffix = QFileInfo(name).suffix().toLower();
        if (!Suffixes.contains(suffix))
            suffix = QStringLiteral("png");
        const QString path = m_dir->filePath(QStringLiteral("picture-%1.%2").arg(++m_count).arg(suffix));
        QFile file(path);
        if (body.isEmpty() || !m_dir->isValid() || !file.open(QIODevice::WriteOnly) || file.write(body) != body.size()) {
            emit failed(name, at);
            return;
        }
        file.close();
        if (!QImageReader(path).canRead()) {
            QFile::remove(path);
            emit failed(name, at);
            return;
        }
        emit ready(path, at);
    });
}
