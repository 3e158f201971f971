#pragma once

#include <QJsonObject>
#include <QList>
#include <QNetworkAccessManager>
#include <QObject>
#include <QPixmap>
#include <QPointer>
#include <QStringList>
#include <QUrlQuery>

#include "LibraryItem.h"

class messageForm;

// How many resources may be exported per day; filled by the my-courseware
// list when it is built, read by both own-resource lists. 0 until then.
extern int dailyExportLimit;

// The client of the resource libraries: categories, paged resources, the
// teacher's own pictures, picture upload and download, and the daily export
// allowance. Every call waits in a nested event loop (the interface stays
// live) and owns its reply, so a call made while another waits is safe.
class HttpClassInput : public QObject
{
    Q_OBJECT

public:
    explicit HttpClassInput(QObject *parent = nullptr);

    // The process-wide instance, created on first use.
    static HttpClassInput *instance();

    // The list operations append to out (the caller clears it); a failed
    // request appends nothing.
    void fetchOwnFiles(const QString &address, const QUrlQuery &query, const QJsonObject &body,
                       QList<LibraryItem> &out);
    void fetchCategories(const QString &address, const QUrlQuery &query, const QJsonObject &body,
                         QList<LibraryItem> &out);
    void fetchResources(const QString &address, const QUrlQuery &query, const QJsonObject &body,
                        QList<LibraryItem> &out);
    bool deleteById(const QString &address, const QUrlQuery &query, const QJsonObject &body);
    bool saveFileRecord(const QString &address, const QUrlQuery &query, const QJsonObject &body);
    // "frequency" of the export dictionary entry; 0 on any failure.
    int fetchExportFrequency(const QString &address, const QJsonObject &body);
    // Uploads a picture; returns its stored path, empty on failure.
    QString uploadImage(const QString &address, const QString &localPath);
    // Fetches a picture; null when the request failed (then a message is
    // shown) or the body is not a picture.
    QPixmap downloadImage(const QString &address);
    // Fetches a page of pictures side by side, in the order given; all the
    // failures of the page share one message.
    QList<QPixmap> downloadImages(const QStringList &addresses);

    // Envelope fields of the last decoded reply.
    int code = 0;
    QString msg;
    // The message dialog of the last failed picture downloads.
    QPointer<messageForm> lastMessage;

private:
    // Sends a JSON POST and judges the envelope; on success *data is the
    // reply's "data" object. what names the request in the log.
    bool postJson(const char *what, const QString &address, const QUrlQuery &query,
                  const QJsonObject &body, QJsonObject *data);
    bool decodeEnvelope(const char *what, const QByteArray &bytes, QJsonObject *data);

    QNetworkAccessManager m_manager;
};
