#include "PlatformServer.h"

#include "ApiRouter.h"
#include "ConnectionPool.h"
#include "AuthApi.h"
#include "Database.h"
#include "ExportApi.h"
#include "HelpApi.h"
#include "LibraryApi.h"
#include "LookupApi.h"
#include "RequestRecorder.h"
#include "ResourceApi.h"
#include "Seeder.h"
#include "SlideRenderer.h"
#include "StorageServer.h"
#include "UploadApi.h"
#include "UploadSweeper.h"
#include "WebPages.h"

#include <QDir>
#include <QFile>
#include <cstdlib>
#include <sys/socket.h>
#include <httplib.h>

PlatformServer::PlatformServer(PlatformOptions options)
    : m_options(std::move(options))
    , m_db(std::make_unique<Database>())
{
}

PlatformServer::~PlatformServer()
{
    stop();
}

QString PlatformServer::docRoot() const
{
    return m_options.dataDir + QStringLiteral("/doc");
}

QString PlatformServer::videoRoot() const
{
    return m_options.dataDir + QStringLiteral("/video");
}

bool PlatformServer::resetData(QString *error)
{
    // Only what this server keeps in the folder goes; anything else stays.
    const QDir data(m_options.dataDir);
    for (const QString &file : {QStringLiteral("platform.db"), QStringLiteral("platform.db-wal"),
                                QStringLiteral("platform.db-shm"), QStringLiteral("requests.jsonl")}) {
        if (data.exists(file) && !QFile::remove(data.filePath(file))) {
            *error = QStringLiteral("cannot remove %1").arg(data.filePath(file));
            return false;
        }
    }
    for (const QString &dir : {QStringLiteral("doc"), QStringLiteral("video"), QStringLiteral("work")}) {
        if (data.exists(dir) && !QDir(data.filePath(dir)).removeRecursively()) {
            *error = QStringLiteral("cannot remove %1").arg(data.filePath(dir));
            return false;
        }
    }
    return true;
}

bool PlatformServer::prepare(QString *error)
{
    if (!QDir().mkpath(m_options.dataDir)) {
        *error = QStringLiteral("cannot create %1").arg(m_options.dataDir);
        return false;
    }
    if (m_options.reset && !resetData(error))
        return false;
    for (const QString &dir : {docRoot(), videoRoot(), m_options.dataDir + QStringLiteral("/work")}) {
        if (!QDir().mkpath(dir)) {
            *error = QStringLiteral("cannot create %1").arg(dir);
            return false;
        }
    }
    if (!m_db->open(m_options.dataDir + QStringLiteral("/platform.db"), error))
        return false;
    if (!Seeder::createSchema(*m_db, error))
        return false;
    Seeder seeder(*m_db, docRoot(), videoRoot(), m_options.seedCache);
    if (!seeder.isSeeded() && !seeder.seed(error))
        return false;
    if (m_options.record) {
        m_recorder = std::make_unique<RequestRecorder>();
        if (!m_recorder->open(m_options.dataDir + QStringLiteral("/requests.jsonl"), error))
            return false;
    }
    return true;
}

void PlatformServer::installRoutes()
{
    const QString fallbackBase = QStringLiteral("http://%1:%2").arg(m_options.host).arg(m_port);
    m_router = std::make_unique<ApiRouter>(
        *m_http, m_recorder.get(), [this](const QString &token) { return m_auth->userForToken(token); }, fallbackBase);
    m_slides = std::make_unique<SlideRenderer>(*m_db, docRoot(), m_options.dataDir + QStringLiteral("/work"), m_options.useOffice);
    m_auth = std::make_unique<AuthApi>(*m_db);
    m_resources = std::make_unique<ResourceApi>(*m_db, *m_slides, docRoot(), videoRoot());
    m_library = std::make_unique<LibraryApi>(*m_db, docRoot());
    m_upload = std::make_unique<UploadApi>(*m_db, *m_slides, docRoot(), videoRoot(),
                                           m_options.dataDir + QStringLiteral("/work/uploads"), m_options.maxUploadBytes);
    m_lookups = std::make_unique<LookupApi>();
    m_exports = std::make_unique<ExportApi>(*m_db, m_options.exportLimit);
    m_help = std::make_unique<HelpApi>(*m_db);
    m_storage = std::make_unique<StorageServer>(docRoot(), videoRoot());
    m_web = std::make_unique<WebPages>(*m_db, docRoot());

    m_auth->install(*m_router, *m_http);
    m_resources->install(*m_router);
    m_library->install(*m_router);
    m_upload->install(*m_http, *m_router);
    m_lookups->install(*m_router);
    m_exports->install(*m_router);
    m_help->install(*m_router);
    m_storage->install(*m_http, *m_router);
    m_web->install(*m_http, *m_router);
    m_router->installFallbacks();
}

int PlatformServer::bind(QString *error)
{
    m_http = std::make_unique<httplib::Server>();
    // One worker per open connection, so that clients that hold theirs
    // (players, thumbnail workers, slow senders) never keep others waiting.
    m_http->new_task_queue = [] { return new ConnectionPool(MaxConnections); };
    // The listening socket, to widen its backlog once bound.
    auto listening = std::make_shared<int>(-1);
    m_http->set_socket_options([listening](socket_t sock) {
        httplib::default_socket_options(sock);
        *listening = sock;
    });
    m_http->set_payload_max_length(size_t(m_options.maxUploadBytes) + 4 * 1024 * 1024);
    // Small replies would otherwise wait for the peer's delayed ACK.
    m_http->set_tcp_nodelay(true);
    m_http->set_keep_alive_timeout(2);
    m_http->set_read_timeout(30);
    m_http->set_write_timeout(30);
    const std::string host = m_options.host.toStdString();
    if (m_options.port == 0) {
        m_port = m_http->bind_to_any_port(host);
    } else {
        m_port = m_http->bind_to_port(host, m_options.port) ? m_options.port : -1;
    }
    if (m_port <= 0) {
        *error = QStringLiteral("cannot listen on %1:%2").arg(m_options.host).arg(m_options.port);
        m_port = -1;
        return -1;
    }
    // The library listens with a backlog of five: a burst of connections
    // would be dropped or reset. Listening again only widens the queue.
    if (*listening >= 0)
        ::listen(*listening, SOMAXCONN);
    installRoutes();
    return m_port;
}

void PlatformServer::start()
{
    auto done = std::make_shared<std::promise<void>>();
    m_stopped = done->get_future();
    m_thread = std::thread([this, done] {
        m_http->listen_after_bind();
        done->set_value();
    });
    m_sweeper = std::make_unique<UploadSweeper>(*m_db, docRoot(), videoRoot(), m_options.uploadGraceSeconds);
    m_sweeper->start();
}

void PlatformServer::stop()
{
    if (m_http)
        m_http->stop();
    if (m_thread.joinable()) {
        // Workers finish the requests in flight; a client that keeps a
        // connection open or stalls an upload is not waited for long. Every
        // change is committed, so ending here loses nothing.
        if (m_stopped.wait_for(std::chrono::seconds(3)) != std::future_status::ready) {
            qWarning("connections still open at shutdown; ending anyway");
            std::_Exit(0);
        }
        m_thread.join();
    }
    m_sweeper.reset();
    if (m_slides)
        m_slides->shutdown();
    m_db->close();
}
