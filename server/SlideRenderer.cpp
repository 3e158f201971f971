#include "SlideRenderer.h"

#include "Database.h"
#include "SlidePainter.h"

#include <QCollator>
#include <QDebug>
#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QProcess>
#include <QStandardPaths>
#include <QUrl>

SlideRenderer::SlideRenderer(Database &db, QString docRoot, QString workDir, bool useOffice)
    : m_db(db)
    , m_docRoot(std::move(docRoot))
    , m_workDir(std::move(workDir))
    , m_useOffice(useOffice)
{
    if (m_useOffice) {
        m_soffice = QStandardPaths::findExecutable(QStringLiteral("soffice"));
        m_pdftoppm = QStandardPaths::findExecutable(QStringLiteral("pdftoppm"));
        m_useOffice = !m_soffice.isEmpty() && !m_pdftoppm.isEmpty();
    }
}

SlideRenderer::~SlideRenderer()
{
    shutdown();
}

QString SlideRenderer::pictureFolder(const QString &deckRelative)
{
    const QFileInfo fi(deckRelative);
    return fi.path() + QLatin1Char('/') + fi.completeBaseName();
}

void SlideRenderer::paintCover(const QString &relative, const QString &title)
{
    const QString folder = pictureFolder(relative);
    QDir().mkpath(m_docRoot + folder);
    const QString cover = folder + QStringLiteral("/cover.jpg");
    const QString name = title.trimmed().isEmpty() ? QStringLiteral("课件") : title.trimmed();
    SlidePainter::cover(name, QStringLiteral("Lumexa 智慧课堂")).save(m_docRoot + cover, "JPG", 85);
    const QByteArray slides = QJsonDocument(QJsonArray{cover}).toJson(QJsonDocument::Compact);
    // Real slides that arrived meanwhile stay.
    m_db.exec("INSERT INTO deck_slides(path, slides, state) VALUES(?, ?, 'cover') "
              "ON CONFLICT(path) DO UPDATE SET slides = excluded.slides WHERE state <> 'rendered'",
              {relative, QString::fromUtf8(slides)});
}

void SlideRenderer::addDeck(const QString &relative, const QString &title)
{
    paintCover(relative, title);
    if (!m_useOffice)
        return;
    QMutexLocker lock(&m_mutex);
    m_queue.enqueue(relative);
    m_wake.wakeOne();
    if (!isRunning() && !m_stopping)
        start(QThread::LowPriority);
}

void SlideRenderer::retitle(const QString &relative, const QString &title)
{
    const QString state = m_db.value("SELECT state FROM deck_slides WHERE path = ?", {relative}).toString();
    if (state.isEmpty())
        addDeck(relative, title);
    else if (state == QLatin1String("cover"))
        paintCover(relative, title);
}

void SlideRenderer::shutdown()
{
    {
        QMutexLocker lock(&m_mutex);
        m_stopping = true;
        m_queue.clear();
        m_wake.wakeAll();
    }
    wait();
}

void SlideRenderer::run()
{
    for (;;) {
        QString next;
        {
            QMutexLocker lock(&m_mutex);
            while (m_queue.isEmpty() && !m_stopping)
                m_wake.wait(&m_mutex);
            if (m_stopping)
                return;
            next = m_queue.dequeue();
        }
        if (!render(next))
            qWarning() << "slide pictures stay a cover for" << next;
    }
}

bool SlideRenderer::runTool(const QString &program, const QStringList &args, int timeoutMs)
{
    QProcess p;
    p.setProcessChannelMode(QProcess::MergedChannels);
    p.start(program, args);
    if (!p.waitForStarted(10000))
        return false;
    p.closeWriteChannel();
    QElapsedTimer clock;
    clock.start();
    while (!p.waitForFinished(200)) {
        if (m_stopping || clock.elapsed() > timeoutMs) {
            p.kill();
            p.waitForFinished(3000);
            return false;
        }
    }
    return p.exitStatus() == QProcess::NormalExit && p.exitCode() == 0;
}

bool SlideRenderer::render(const QString &relative)
{
    const QString deck = m_docRoot + relative;
    QDir work(m_workDir + QStringLiteral("/render-") + QFileInfo(relative).completeBaseName());
    work.removeRecursively();
    QDir().mkpath(work.path());
    const QString profile = QUrl::fromLocalFile(m_workDir + QStringLiteral("/office-profile")).toString();
    bool ok = runTool(m_soffice, {QStringLiteral("--headless"), QStringLiteral("--norestore"), QStringLiteral("--nolockcheck"),
                                  QStringLiteral("-env:UserInstallation=") + profile, QStringLiteral("--convert-to"),
                                  QStringLiteral("pdf"), QStringLiteral("--outdir"), work.path(), deck},
                      180000);
    const QString pdf = work.filePath(QFileInfo(relative).completeBaseName() + QStringLiteral(".pdf"));
    ok = ok && QFileInfo::exists(pdf)
        && runTool(m_pdftoppm, {QStringLiteral("-jpeg"), QStringLiteral("-scale-to-x"), QStringLiteral("960"),
                                QStringLiteral("-scale-to-y"), QStringLiteral("540"), pdf, work.filePath(QStringLiteral("slide"))},
                   120000);
    QStringList pages = work.entryList({QStringLiteral("slide-*.jpg")}, QDir::Files);
    QCollator numeric;
    numeric.setNumericMode(true);
    std::sort(pages.begin(), pages.end(), numeric);
    if (!ok || pages.isEmpty()) {
        work.removeRecursively();
        return false;
    }
    const QString folder = pictureFolder(relative);
    QDir().mkpath(m_docRoot + folder);
    QJsonArray slides;
    for (int i = 0; i < pages.size(); ++i) {
        const QString target = folder + QStringLiteral("/slide-%1.jpg").arg(i + 1);
        QFile::remove(m_docRoot + target);
        if (QFile::rename(work.filePath(pages.at(i)), m_docRoot + target))
            slides.append(target);
    }
    work.removeRecursively();
    if (slides.isEmpty())
        return false;
    return m_db.exec("INSERT INTO deck_slides(path, slides, state) VALUES(?, ?, 'rendered') "
                     "ON CONFLICT(path) DO UPDATE SET slides = excluded.slides, state = 'rendered'",
                     {relative, QString::fromUtf8(QJsonDocument(slides).toJson(QJsonDocument::Compact))});
}
