#include "WebPages.h"

#include "ApiRouter.h"
#include "Database.h"
#include "StorageServer.h"

#include <QFile>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QUrl>
#include <httplib.h>

namespace {
QByteArray resource(const QString &name)
{
    QFile f(QStringLiteral(":/web/") + name);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

void send(httplib::Response &res, const QByteArray &body, const char *type)
{
    res.set_header("Cache-Control", "no-cache");
    res.set_content(body.constData(), size_t(body.size()), type);
}
}

WebPages::WebPages(Database &db, QString docRoot)
    : m_db(db)
    , m_docRoot(std::move(docRoot))
{
}

QString WebPages::embedPage(const QString &src, const QString &docBase)
{
    QJsonObject deck;
    QJsonArray slides;
    const QUrl url(src, QUrl::TolerantMode);
    const QString path = url.path();
    QString title = QFileInfo(path).completeBaseName();
    QString message;
    if (src.isEmpty()) {
        message = QStringLiteral("没有指定要预览的文档");
    } else if (!path.startsWith(QLatin1String("/doc/"))) {
        message = QStringLiteral("无法预览该地址的文档");
    } else {
        const QString relative = StorageServer::cleanRelative(path.mid(4));
        const QString stored = m_db.value("SELECT slides FROM deck_slides WHERE path = ?", {relative}).toString();
        for (const QJsonValue &v : QJsonDocument::fromJson(stored.toUtf8()).array())
            slides.append(docBase + v.toString());
        const QString local = StorageServer::resolve(m_docRoot, relative);
        if (slides.isEmpty())
            message = !local.isEmpty() && QFileInfo(local).isFile() ? QStringLiteral("该文档暂时无法预览")
                                                                    : QStringLiteral("文档不存在或已被删除");
    }
    deck.insert(QStringLiteral("title"), title.isEmpty() ? QStringLiteral("文档") : title);
    deck.insert(QStringLiteral("slides"), slides);
    deck.insert(QStringLiteral("message"), message);
    // The JSON goes into a script element: keep "</script>" out of it.
    QString json = QString::fromUtf8(QJsonDocument(deck).toJson(QJsonDocument::Compact));
    json.replace(QLatin1Char('<'), QLatin1String("\\u003c"));
    QString page = QString::fromUtf8(resource(QStringLiteral("embed.html")));
    page.replace(QLatin1String("__DECK__"), json);
    return page;
}

void WebPages::install(httplib::Server &server, ApiRouter &router)
{
    auto page = [&router](const char *name) {
        return [&router, name](const httplib::Request &req, httplib::Response &res) {
            router.record(req, QString());
            send(res, resource(QString::fromLatin1(name)), "text/html;charset=UTF-8");
        };
    };
    server.Get("/", page("index.html"));
    server.Get("/exerciseInput/(index\\.html)?", page("exerciseInput.html"));
    server.Get("/multiTerminal/(index\\.html)?", page("multiTerminal.html"));
    for (const char *bare : {"/exerciseInput", "/multiTerminal"}) {
        server.Get(bare, [&router, bare](const httplib::Request &req, httplib::Response &res) {
            router.record(req, QString());
            res.set_redirect(std::string(bare) + "/");
        });
    }
    server.Get("/web/common\\.css", [&router](const httplib::Request &req, httplib::Response &res) {
        router.record(req, QString());
        send(res, resource(QStringLiteral("common.css")), "text/css;charset=UTF-8");
    });
    server.Get("/web/common\\.js", [&router](const httplib::Request &req, httplib::Response &res) {
        router.record(req, QString());
        send(res, resource(QStringLiteral("common.js")), "application/javascript;charset=UTF-8");
    });
    server.Get("/op/embed\\.aspx", [this, &router](const httplib::Request &req, httplib::Response &res) {
        router.record(req, QString());
        const ApiCall call = router.makeCall(req);
        const QString src = QString::fromStdString(req.get_param_value("src"));
        send(res, embedPage(src, call.docBase()).toUtf8(), "text/html;charset=UTF-8");
    });
}
