#pragma once

// Serves a folder over HTTP with Range support (as the platform's video
// storage does), on an ephemeral loopback port, from a thread of its own.
// Include before Qt headers.
#include <httplib.h>

#include <QString>
#include <thread>

class MediaServer
{
public:
    explicit MediaServer(const QString &dir)
    {
        m_server.set_mount_point("/video", dir.toStdString());
    }
    ~MediaServer()
    {
        m_server.stop();
        if (m_thread.joinable())
            m_thread.join();
    }
    bool start()
    {
        m_port = m_server.bind_to_any_port("127.0.0.1");
        if (m_port <= 0)
            return false;
        m_thread = std::thread([this] { m_server.listen_after_bind(); });
        return true;
    }
    QString videoBase() const { return QStringLiteral("http://127.0.0.1:%1/video").arg(m_port); }

private:
    httplib::Server m_server;
    std::thread m_thread;
    int m_port = 0;
};
