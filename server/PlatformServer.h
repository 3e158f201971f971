#pragma once

#include "PlatformOptions.h"

#include <QString>

#include <future>
#include <memory>
#include <thread>

namespace httplib {
class Server;
}
class ApiRouter;
class AuthApi;
class Database;
class ExportApi;
class HelpApi;
class LibraryApi;
class LookupApi;
class RequestRecorder;
class ResourceApi;
class SlideRenderer;
class StorageServer;
class UploadApi;
class UploadSweeper;
class WebPages;

// The platform stand-in: data folder, records, seeding and the HTTP server
// with every route.
class PlatformServer
{
public:
    explicit PlatformServer(PlatformOptions options);
    ~PlatformServer();

    // Opens (or resets and seeds) the data folder.
    bool prepare(QString *error);
    // Binds the listening socket; the port actually used, or -1.
    int bind(QString *error);
    // Serves on a background thread until stop().
    void start();
    void stop();

    QString docRoot() const;
    QString videoRoot() const;

private:
    // Open connections served at once; far above what the clients keep.
    static constexpr size_t MaxConnections = 1024;

    bool resetData(QString *error);
    void installRoutes();

    PlatformOptions m_options;
    std::unique_ptr<Database> m_db;
    std::unique_ptr<httplib::Server> m_http;
    std::unique_ptr<RequestRecorder> m_recorder;
    std::unique_ptr<ApiRouter> m_router;
    std::unique_ptr<SlideRenderer> m_slides;
    std::unique_ptr<AuthApi> m_auth;
    std::unique_ptr<ResourceApi> m_resources;
    std::unique_ptr<LibraryApi> m_library;
    std::unique_ptr<UploadApi> m_upload;
    std::unique_ptr<UploadSweeper> m_sweeper;
    std::unique_ptr<LookupApi> m_lookups;
    std::unique_ptr<ExportApi> m_exports;
    std::unique_ptr<HelpApi> m_help;
    std::unique_ptr<StorageServer> m_storage;
    std::unique_ptr<WebPages> m_web;
    std::thread m_thread;
    std::future<void> m_stopped;
    int m_port = -1;
};
