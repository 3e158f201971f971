#include "TestEnvironment.h"

#include <QDir>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QWidget>
#include <QtTest>

namespace {
QTemporaryDir *&homeDir()
{
    static QTemporaryDir *dir = new QTemporaryDir(QDir::tempPath() + "/lumexa-test-home-XXXXXX");
    return dir;
}
QString currentClass;
}

void TestEnvironment::setCurrentClass(const QString &name)
{
    currentClass = name;
}

void TestEnvironment::cleanUp()
{
    delete homeDir();
    homeDir() = nullptr;
}

void TestEnvironment::prepare()
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM") && qEnvironmentVariableIsEmpty("DISPLAY"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    if (qgetenv("QT_QPA_PLATFORM") == "offscreen")
        qputenv("QT_QUICK_BACKEND", "software");
    qputenv("QTWEBENGINE_DISABLE_SANDBOX", "1");
    // Tests play sound into nothing.
    qputenv("LUMEXA_MPV_AO", "null");
    const QByteArray h = QFile::encodeName(home());
    qputenv("HOME", h);
    qputenv("XDG_DATA_HOME", h + "/.local/share");
    qputenv("XDG_CONFIG_HOME", h + "/.config");
    qputenv("XDG_CACHE_HOME", h + "/.cache");
    qputenv("XDG_RUNTIME_DIR", h + "/runtime");
    QDir().mkpath(home() + "/runtime");
    QFile::setPermissions(home() + "/runtime", QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
}

QString TestEnvironment::home()
{
    return homeDir()->path();
}

QString TestEnvironment::screenshot(QWidget *widget, const QString &name)
{
    const QString dir = QStringLiteral(LUMEXA_TEST_SHOTS);
    QDir().mkpath(dir);
    const QString owner = currentClass.isEmpty()
        ? QFileInfo(QCoreApplication::applicationFilePath()).fileName() : currentClass;
    const QString path = dir + "/" + owner + "-" + name + ".png";
    if (widget)
        widget->grab().save(path);
    return path;
}

void TestEnvironment::screenshotIfFailed(QWidget *widget)
{
    if (!QTest::currentTestFailed() || !widget)
        return;
    const QString path = screenshot(widget, QString::fromLatin1(QTest::currentTestFunction()) + "-failed");
    qWarning("screenshot of the failure: %s", qPrintable(path));
}

bool TestEnvironment::writeFile(const QString &path, const QByteArray &bytes)
{
    QFile f(path);
    return QDir().mkpath(QFileInfo(path).absolutePath()) && f.open(QIODevice::WriteOnly) && f.write(bytes) == bytes.size();
}

QByteArray TestEnvironment::readFile(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}
