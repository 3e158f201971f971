#include "PlatformFixture.h"

#include "Http_access.h"

#include <QDeadlineTimer>
#include <QFile>
#include <QJsonDocument>
#include <QJsonObject>
#include <QRegularExpression>
#include <csignal>

PlatformFixture::PlatformFixture()
    : m_data(QDir::tempPath() + "/lumexa-platform-XXXXXX")
{
}

PlatformFixture::~PlatformFixture()
{
    stop();
}

bool PlatformFixture::start(const QStringList &extraArgs)
{
    m_process.setProgram(QStringLiteral(LUMEXA_PLATFORM_BIN));
    m_process.setArguments(QStringList{"--port", "0", "--data", m_data.path()} + extraArgs);
    m_process.setProcessChannelMode(QProcess::SeparateChannels);
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("LUMEXA_PLATFORM_EXIT_WITH_PARENT"), QStringLiteral("1"));
    m_process.setProcessEnvironment(env);
    m_process.start();
    if (!m_process.waitForStarted(10000)) {
        m_error = m_process.errorString();
        return false;
    }
    // The first start seeds the demo data (pictures, decks, videos): allow time.
    const QRegularExpression re(QStringLiteral("^listening (http://127\\.0\\.0\\.1:\\d+)"));
    QDeadlineTimer deadline(120000);
    QByteArray pending;
    while (!deadline.hasExpired()) {
        if (!m_process.waitForReadyRead(int(qMin<qint64>(deadline.remainingTime(), 1000)))) {
            if (m_process.state() != QProcess::Running)
                break;
            continue;
        }
        pending += m_process.readAllStandardOutput();
        for (const QByteArray &line : pending.split('\n')) {
            const auto m = re.match(QString::fromUtf8(line.trimmed()));
            if (m.hasMatch()) {
                m_baseUrl = m.captured(1);
                qputenv("LUMEXA_API_BASE", m_baseUrl.toUtf8());
                qputenv("LUMEXA_WEB_BASE", m_baseUrl.toUtf8());
                qputenv("LUMEXA_DOC_BASE", (m_baseUrl + "/doc").toUtf8());
                qputenv("LUMEXA_VIDEO_BASE", (m_baseUrl + "/video").toUtf8());
                return true;
            }
        }
    }
    m_error = QStringLiteral("the platform did not report its address: ")
              + QString::fromUtf8(m_process.readAllStandardError());
    return false;
}

void PlatformFixture::stop()
{
    if (m_process.state() == QProcess::NotRunning)
        return;
    m_process.terminate();
    if (!m_process.waitForFinished(5000)) {
        m_process.kill();
        m_process.waitForFinished(2000);
    }
}

bool PlatformFixture::login(const QString &account, const QString &password)
{
    return Http_access::instance()->login(account, password, QStringLiteral("3"));
}

void PlatformFixture::freeze()
{
    if (m_process.state() == QProcess::Running)
        ::kill(pid_t(m_process.processId()), SIGSTOP);
}

void PlatformFixture::kill()
{
    if (m_process.state() == QProcess::Running) {
        m_process.kill();
        m_process.waitForFinished(5000);
    }
}

QJsonArray PlatformFixture::recordedRequests() const
{
    QFile f(m_data.path() + "/requests.jsonl");
    QJsonArray out;
    if (!f.open(QIODevice::ReadOnly))
        return out;
    for (const QByteArray &line : f.readAll().split('\n')) {
        const QJsonDocument doc = QJsonDocument::fromJson(line);
        if (doc.isObject())
            out.append(doc.object());
    }
    return out;
}

QList<QJsonObject> PlatformFixture::recordedBodies(const QString &path) const
{
    QList<QJsonObject> out;
    for (const QJsonValue &r : recordedRequests())
        if (r.toObject().value("path").toString() == path)
            out << QJsonDocument::fromJson(r.toObject().value("body").toString().toUtf8()).object();
    return out;
}
