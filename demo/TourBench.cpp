// Measurements for scripts/bench, each with its baseline taken in the same
// run. Prints "bench <key>=<value>" lines.
#include "TourBench.h"

#include "EncoderProcess.h"
#include "TourDriver.h"
#include "WidgetDriver.h"
#include "Widgetmain.h"
#include "loginForm.h"
#include "miciroInfo.h"
#include "myCurrentThread2.h"
#include "Http_access.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>
#include <QTextStream>
#include <QThread>
#include <QTimer>
#include <QPointer>

namespace {
QElapsedTimer sinceStart;
qint64 buildStart = -1, buildEnd = -1;
QtMessageHandler previous = nullptr;

void watchBuildPages(QtMsgType type, const QMessageLogContext &context, const QString &msg)
{
    if (msg.startsWith(QLatin1String("init start wMain")))
        buildStart = sinceStart.nsecsElapsed();
    else if (msg.startsWith(QLatin1String("init end wMain")))
        buildEnd = sinceStart.nsecsElapsed();
    if (type != QtDebugMsg && previous)
        previous(type, context, msg);
}

void report(const QString &key, double value)
{
    QTextStream(stdout) << "bench " << key << "=" << QString::number(value, 'f', 0) << "\n";
}

// Resident memory in kB of a process and all its descendants (helper processes).
qint64 treeRssKb(qint64 pid)
{
    qint64 kb = 0;
    QFile status(QString("/proc/%1/status").arg(pid));
    if (status.open(QIODevice::ReadOnly))
        for (const QByteArray &line : status.readAll().split('\n'))
            if (line.startsWith("VmRSS:"))
                kb += line.mid(6).trimmed().split(' ').value(0).toLongLong();
    const QDir tasks(QString("/proc/%1/task").arg(pid));
    for (const QString &task : tasks.entryList(QDir::Dirs | QDir::NoDotAndDotDot)) {
        QFile children(tasks.filePath(task + "/children"));
        if (children.open(QIODevice::ReadOnly))
            for (const QByteArray &child : children.readAll().split(' '))
                if (!child.trimmed().isEmpty())
                    kb += treeRssKb(child.trimmed().toLongLong());
    }
    return kb;
}
}

int TourBench::bareWindow()
{
    // Baseline for start-up: the same program and libraries, a plain window.
    QWidget w;
    w.setWindowTitle(QStringLiteral("Lumexa-bare"));
    w.resize(600, 400);
    w.show();
    QTimer::singleShot(3000, qApp, &QApplication::quit);
    return qApp->exec();
}

int TourBench::login()
{
    sinceStart.start();
    previous = qInstallMessageHandler(watchBuildPages);
    auto *window = new Widgetmain;
    if (!window->startedUp())
        return 1;
    Widgetmain::installTemplateDeck(QCoreApplication::applicationDirPath() + "/..");
    QTest::qWait(2000);
    report("rss_login_window_kb", treeRssKb(QCoreApplication::applicationPid()));

    // Baseline: the login request alone.
    QElapsedTimer t;
    t.start();
    if (!Http_access::instance()->login("teacher01", "123456", "3"))
        return 1;
    report("login_request_ms", t.nsecsElapsed() / 1e6);

    TourDriver d(window);
    QPointer<loginForm> form = Http_access::instance()->loginWindow;
    WidgetDriver::type(form, "lineEditName", "teacher01");
    WidgetDriver::type(form, "lineEditPassword", "123456");
    t.restart();
    WidgetDriver::click(form, "pushButton");
    if (!WidgetDriver::waitFor([&] { return window->isVisible(); }, 60000))
        return 1;
    report("login_to_main_ms", t.nsecsElapsed() / 1e6);
    report("build_pages_ms", (buildEnd - buildStart) / 1e6);
    WidgetDriver::waitFor([&] { return form.isNull(); }, 10000);

    // Every page and view built and shown once.
    for (int m = 0; m < 4; ++m) {
        d.module(m);
        QTest::qWait(1500);
    }
    d.module(1);
    for (int v = 0; v < 7; ++v) {
        d.coursewareView(v);
        QTest::qWait(1500);
    }
    d.module(2);
    for (int v = 1; v <= 3; ++v) {
        d.microView(v);
        QTest::qWait(1000);
    }
    QTest::qWait(3000);
    report("rss_all_pages_kb", treeRssKb(QCoreApplication::applicationPid()));
    delete window;
    return 0;
}

int TourBench::thumbnails(const QString &video)
{
    QTemporaryDir cache;
    if (!Widgetmain::prepareCacheDirectory(cache.path()))
        return 1;
    // The video address is the base plus the record's file: point the base at
    // the local file system so that only the encoder is measured.
    qputenv("LUMEXA_VIDEO_BASE", "file:");
    const int count = 12;

    QElapsedTimer t;
    t.start();
    int finished = 0;
    QObject receiver;
    for (int i = 0; i < count; ++i) {
        miciroInfo info;
        info.id = QString("bench%1").arg(i);
        info.fileSrc = video;
        QThread *thread = myCurrentThread2::start(info, &receiver);
        QObject::connect(thread, &QThread::finished, &receiver, [&] { ++finished; });
    }
    if (!WidgetDriver::waitFor([&] { return finished == count; }, 120000))
        return 1;
    const double threaded = t.nsecsElapsed() / 1e6;
    for (int i = 0; i < count; ++i)
        if (!QFile::exists(myCurrentThread2::pictureFor(QString("bench%1").arg(i))))
            return 1;

    t.restart();
    for (int i = 0; i < count; ++i) {
        const QString picture = myCurrentThread2::pictureFor(QString("seq%1").arg(i));
        QProcess p;
        p.start(EncoderProcess::program(), EncoderProcess::thumbnailArguments("file:" + video, picture));
        if (!p.waitForFinished(60000) || !QFile::exists(picture))
            return 1;
    }
    report("thumbnails_threads_ms", threaded);
    report("thumbnails_sequential_ms", t.nsecsElapsed() / 1e6);
    return 0;
}
