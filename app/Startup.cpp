#include "Startup.h"

#include "FontSubstitutes.h"

#include <QApplication>
#include <QFont>
#include <QTranslator>
#include <clocale>
#include <unistd.h>

void Startup::beforeApplication()
{
    // Before anything loads fontconfig: the office in this process reads it.
    FontSubstitutes::prepareFontconfig();
    QApplication::setAttribute(Qt::AA_EnableHighDpiScaling);
    // The web views and the video surface share GL resources.
    QApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
    if (runningAsRoot())
        qputenv("QTWEBENGINE_DISABLE_SANDBOX", "1");
    if (qgetenv("QT_QPA_PLATFORM") == "offscreen" && qEnvironmentVariableIsEmpty("QT_QUICK_BACKEND"))
        qputenv("QT_QUICK_BACKEND", "software");
}

void Startup::afterApplication(QApplication &app)
{
    QApplication::setApplicationName(QStringLiteral("lumexa"));
    QApplication::setOrganizationName(QStringLiteral("Lumexa"));

    // Style sheets and decks ask for Windows faces ("微软雅黑", "宋体"...).
    FontSubstitutes::installForToolkit();
    QFont font(QStringLiteral("Noto Sans CJK SC"));
    font.setPixelSize(12);
    app.setFont(font);

    auto *translator = new QTranslator(&app);
    if (translator->load(QStringLiteral(":/png/qt_zh_CN.qm")))
        app.installTranslator(translator);

    // The media engine parses numbers with the C locale.
    std::setlocale(LC_NUMERIC, "C");
}

bool Startup::runningAsRoot()
{
    return ::geteuid() == 0;
}
