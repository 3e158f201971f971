#pragma once

#include <QNetworkAccessManager>
#include <QObject>
#include <QPixmap>
#include <QString>

class QNetworkReply;

// Fetches one slide picture of a template tile. Only a picture that arrived
// whole and decodes is reported; a failed one is simply never reported.
class bankvlmbk_kid_loadImag : public QObject
{
    Q_OBJECT

public:
    explicit bankvlmbk_kid_loadImag(QObject *parent = nullptr);

    // The address is used as it is (the server sends full addresses).
    void load(const QString &address);

signals:
    void shootQPixmap(QPixmap map);

public slots:
    void replyback(QNetworkReply *reply);

private:
    QNetworkAccessManager m_manager;
};
