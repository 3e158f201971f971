#pragma once

#include <QObject>
#include <QPoint>
#include <QUrl>

class QMimeData;
class QNetworkAccessManager;
class QTemporaryDir;

// A picture dropped onto the slide: a local file, or a picture of the
// platform's libraries that is downloaded first. Reports a local file that
// holds a readable picture, or a failure the teacher is told about.
class DroppedPicture : public QObject
{
    Q_OBJECT

public:
    explicit DroppedPicture(QObject *parent = nullptr);
    ~DroppedPicture() override;

    // The picture address a drag carries, empty when it carries none.
    static QUrl pictureUrl(const QMimeData *data);
    // Fetches the picture; `at` travels along to ready() or failed().
    void fetch(const QUrl &url, const QPoint &at);

signals:
    void ready(const QString &path, const QPoint &at);
    void failed(const QString &name, const QPoint &at);

private:
    QNetworkAccessManager *m_network;
    QTemporaryDir *m_dir = nullptr;
    int m_count = 0;
};
