#include "DeckWriter.h"
#include "PlatformOptions.h"
#include "PlatformServer.h"

#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QSocketNotifier>
#include <csignal>
#include <cstdio>
#include <sys/prctl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {
int signalPipe[2] = {-1, -1};

void onSignal(int)
{
    const char c = 1;
    [[maybe_unused]] ssize_t n = ::write(signalPipe[1], &c, 1);
}

int writeBlankDeck(const QString &path)
{
    QString error;
    if (!DeckWriter::blankDeck().write(path, &error)) {
        std::fprintf(stderr, "cannot write %s: %s\n", qPrintable(path), qPrintable(error));
        return 1;
    }
    return 0;
}
}

int main(int argc, char **argv)
{
    // A test that crashes must not leave its stand-in serving for ever.
    if (qEnvironmentVariableIsSet("LUMEXA_PLATFORM_EXIT_WITH_PARENT"))
        ::prctl(PR_SET_PDEATHSIG, SIGTERM);
    // Demo pictures are painted with text: that needs a GUI application,
    // which needs no display on the offscreen platform.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    if (qEnvironmentVariableIsEmpty("XDG_RUNTIME_DIR")) {
        const QByteArray runtime = QFile::encodeName(QDir::tempPath()) + "/runtime-" + QByteArray::number(::getuid());
        ::mkdir(runtime.constData(), 0700);
        qputenv("XDG_RUNTIME_DIR", runtime);
    }
    QGuiApplication app(argc, argv);
    app.setApplicationName(QStringLiteral("lumexa-platform"));

    PlatformOptions options;
    QString error;
    const QStringList args = app.arguments();
    if (args.contains(QStringLiteral("--help")) || args.contains(QStringLiteral("-h"))) {
        std::fputs(qPrintable(PlatformOptions::usage()), stdout);
        return 0;
    }
    if (!PlatformOptions::parse(args, &options, &error)) {
        std::fprintf(stderr, "lumexa-platform: %s\n\n%s", qPrintable(error), qPrintable(PlatformOptions::usage()));
        return 2;
    }
    if (!options.blankDeck.isEmpty())
        return writeBlankDeck(options.blankDeck);

    PlatformServer server(options);
    if (!server.prepare(&error)) {
        std::fprintf(stderr, "lumexa-platform: %s\n", qPrintable(error));
        return 1;
    }
    const int port = server.bind(&error);
    if (port < 0) {
        std::fprintf(stderr, "lumexa-platform: %s\n", qPrintable(error));
        return 1;
    }

    if (::pipe(signalPipe) == 0) {
        std::signal(SIGTERM, onSignal);
        std::signal(SIGINT, onSignal);
    }
    std::signal(SIGPIPE, SIG_IGN);
    QSocketNotifier notifier(signalPipe[0], QSocketNotifier::Read);
    QObject::connect(&notifier, &QSocketNotifier::activated, &app, &QCoreApplication::quit);

    server.start();
    const QString shown = options.host == QLatin1String("0.0.0.0") ? QStringLiteral("127.0.0.1") : options.host;
    std::printf("listening http://%s:%d\n", qPrintable(shown), port);
    std::fflush(stdout);

    const int rc = app.exec();
    server.stop();
    return rc;
}
