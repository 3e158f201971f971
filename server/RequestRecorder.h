#pragma once

#include <QFile>
#include <QJsonArray>
#include <QString>

#include <mutex>

namespace httplib {
struct Request;
}

// Appends every request received, one JSON object a line, so that tests can
// read back what the client sent.
class RequestRecorder
{
public:
    bool open(const QString &path, QString *error);
    bool isOpen() const { return m_file.isOpen(); }

    // The body is the raw text, or a description of multipart parts.
    void record(const httplib::Request &req, const QString &body, const QJsonArray &parts = {});

private:
    std::mutex m_mutex;
    QFile m_file;
};
