#pragma once

#include <QJsonObject>
#include <QList>
#include <QNetworkAccessManager>
#include <QPointer>
#include <QUrlQuery>
#include <QWidget>
#include <functional>

#include "DictItem.h"
#include "HelpItem.h"
#include "TreeNode.h"

class QFile;
class QNetworkReply;
class Widgetmain;
class loginForm;
class messageForm;

// The request layer: blocking JSON requests (the caller waits in a nested
// event loop while the interface stays live), multipart uploads and
// asynchronous downloads. Each blocking call owns its own reply, so a request
// started while another waits never disturbs the outer one.
class Http_access : public QWidget
{
    Q_OBJECT

public:
    explicit Http_access(QWidget *parent = nullptr);
    ~Http_access() override;

    // The process-wide instance, created on first use.
    static Http_access *instance();
    // Deletes the process-wide instance (the login window's close button);
    // while a call waits on it, that call is cut short and the deletion
    // waits until it has returned.
    static void release();

    bool login(const QString &userName, const QString &password, const QString &userType);
    bool postForSuccess(const QString &address, const QUrlQuery &query, const QJsonObject &body);
    bool postForStrictSuccess(const QString &address, const QJsonObject &body);
    bool saveRecord(const QString &address, const QUrlQuery &query, const QJsonObject &body);
    QString uploadFile(const QString &address, const QString &localPath, const QString &contentType);
    // Aborts the upload that waits now: uploadFile returns empty, shows no
    // message, and uploadCancelled() is true until the next upload.
    void cancelUpload();
    bool uploadCancelled() const { return m_uploadCancelled; }
    bool fetchDictItems(const QString &address, const QUrlQuery &query, const QJsonObject &body,
                        QList<DictItem> &out);
    bool fetchTextbooks(const QString &address, const QUrlQuery &query, const QJsonObject &body,
                        QList<DictItem> &out);
    bool fetchTreeNodes(const QString &address, const QUrlQuery &query, const QJsonObject &body,
                        QList<TreeNode> &out);
    bool fetchHelpItems(const QString &address, const QUrlQuery &query, const QJsonObject &body,
                        QList<HelpItem> &out);
    bool fetchMicroLectures(const QString &address, const QUrlQuery &query, const QJsonObject &body);

    // Starts an asynchronous download on an instance of its own, which reports
    // the result in an information box (unless the caller shows progress and
    // results itself: reportInBox false) and deletes itself.
    // At most a few run at once; the others wait in line.
    static Http_access *download(const QString &address, const QString &localPath, bool reportInBox = true);
    static int activeDownloads();

    // Judges an envelope: code 1, or (unless strict) msg "成功".
    static bool envelopeSuccess(int code, const QString &msg, bool strict = false);

    QPointer<Widgetmain> mainWindow;
    QPointer<loginForm> loginWindow;
    QPointer<messageForm> lastMessage;
    int code = 0;
    QString msg;
    QString ver;

    // No request waits longer than this without an answer (uploads and
    // downloads: without progress).
    static int timeoutMs;

signals:
    // A download ended; ok is false when it failed and its file was removed.
    void downloadFinished(const QString &localPath, bool ok);
    // Bytes of a download so far; total is -1 while the size is unknown.
    void downloadProgress(const QString &localPath, qint64 received, qint64 total);
    // Bytes of the waiting upload sent so far.
    void uploadProgress(qint64 sent, qint64 total);

private slots:
    void on_readyRead();
    void on_finished();

private:
    struct Reply
    {
        QByteArray bytes;
        bool networkOk = false;
        bool redirected = false;
    };
    Reply post(const QString &address, const QUrlQuery &query, const QJsonObject &body);
    // Parses the bytes, stores code and msg, and returns "data" on success.
    bool decodeEnvelope(const QByteArray &bytes, bool strict, QJsonObject *data);
    bool fetchList(const QString &address, const QUrlQuery &query, const QJsonObject &body,
                   QJsonObject *data);
    // Runs entry on every element of "data"."list" of a successful list reply.
    bool fetchEach(const QString &address, const QUrlQuery &query, const QJsonObject &body,
                   const std::function<void(const QJsonObject &)> &entry, QJsonObject *data = nullptr);
    void startDownload(const QString &address, const QString &localPath);
    // Waits for a blocking reply; false when its time limit passed.
    bool waitFor(QNetworkReply *reply, bool restartOnProgress);
    void beginDownload();
    static void startQueuedDownloads();
    QString m_downloadAddress;
    bool m_reportInBox = true;
    QList<QNetworkReply *> m_waiting;
    bool m_releasePending = false;

    QNetworkAccessManager m_manager;
    QNetworkReply *m_downloadReply = nullptr;
    QPointer<QNetworkReply> m_upload;
    bool m_uploadCancelled = false;
    QFile *m_downloadFile = nullptr;
};
