#include "PlatformOptions.h"

#include <QCoreApplication>
#include <QDir>
#include <QStandardPaths>

QString PlatformOptions::usage()
{
    return QStringLiteral(
        "usage: lumexa-platform [--port N] [--data DIR] [--host ADDR] [--reset] [--record]\n"
        "                       [--max-upload-mb N] [--export-limit N] [--upload-grace S] [--no-office]\n"
        "                       [--seed-cache DIR|off]\n"
        "       lumexa-platform --blank-deck PATH\n"
        "\n"
        "  --port N           port to listen on, 0 picks a free one (default 8360)\n"
        "  --data DIR         folder holding the whole state (default: the user's data folder)\n"
        "  --host ADDR        address to listen on (default 127.0.0.1, loopback only)\n"
        "  --reset            wipe the state and seed the demo data again\n"
        "  --record           append every request received to DIR/requests.jsonl\n"
        "  --max-upload-mb N  largest file accepted by the upload (default 200)\n"
        "  --export-limit N   exports allowed per teacher and day (default 3)\n"
        "  --upload-grace S   remove an uploaded file no record claims after S seconds\n"
        "                     (default 3600)\n"
        "  --no-office        do not render uploaded decks with LibreOffice\n"
        "  --seed-cache DIR   keep the generated demo media there between runs\n"
        "                     (default $LUMEXA_PLATFORM_SEED_CACHE, else beside the program; off: none)\n"
        "  --blank-deck PATH  write a blank one-slide 16:9 deck to PATH and end\n");
}

bool PlatformOptions::parse(const QStringList &args, PlatformOptions *out, QString *error)
{
    PlatformOptions o;
    const QByteArray envCache = qgetenv("LUMEXA_PLATFORM_SEED_CACHE");
    if (qEnvironmentVariableIsSet("LUMEXA_PLATFORM_SEED_CACHE"))
        o.seedCache = QString::fromLocal8Bit(envCache);
    else
        o.seedCache = QCoreApplication::applicationDirPath() + QStringLiteral("/platform-seed-cache");

    auto value = [&](int &i, QString *v) {
        if (i + 1 >= args.size()) {
            *error = QStringLiteral("%1 needs a value").arg(args.at(i));
            return false;
        }
        *v = args.at(++i);
        return true;
    };
    auto number = [&](int &i, qint64 min, qint64 max, qint64 *n) {
        QString v;
        if (!value(i, &v))
            return false;
        bool ok = false;
        *n = v.toLongLong(&ok);
        if (!ok || *n < min || *n > max) {
            *error = QStringLiteral("%1: %2 is not a number from %3 to %4").arg(args.at(i - 1), v).arg(min).arg(max);
            return false;
        }
        return true;
    };

    for (int i = 1; i < args.size(); ++i) {
        const QString a = args.at(i);
        qint64 n = 0;
        if (a == QLatin1String("--port")) {
            if (!number(i, 0, 65535, &n))
                return false;
            o.port = int(n);
        } else if (a == QLatin1String("--data")) {
            if (!value(i, &o.dataDir))
                return false;
        } else if (a == QLatin1String("--host")) {
            if (!value(i, &o.host))
                return false;
        } else if (a == QLatin1String("--reset")) {
            o.reset = true;
        } else if (a == QLatin1String("--record")) {
            o.record = true;
        } else if (a == QLatin1String("--no-office")) {
            o.useOffice = false;
        } else if (a == QLatin1String("--max-upload-mb")) {
            if (!number(i, 1, 4096, &n))
                return false;
            o.maxUploadBytes = n * 1024 * 1024;
        } else if (a == QLatin1String("--export-limit")) {
            if (!number(i, 0, 100000, &n))
                return false;
            o.exportLimit = int(n);
        } else if (a == QLatin1String("--upload-grace")) {
            if (!number(i, 1, 365LL * 24 * 3600, &n))
                return false;
            o.uploadGraceSeconds = int(n);
        } else if (a == QLatin1String("--seed-cache")) {
            if (!value(i, &o.seedCache))
                return false;
        } else if (a == QLatin1String("--blank-deck")) {
            if (!value(i, &o.blankDeck))
                return false;
        } else {
            *error = QStringLiteral("unknown option %1").arg(a);
            return false;
        }
    }
    if (o.seedCache == QLatin1String("off"))
        o.seedCache.clear();
    if (o.dataDir.isEmpty())
        o.dataDir = QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation) + QStringLiteral("/lumexa-platform");
    o.dataDir = QDir(o.dataDir).absolutePath();
    *out = o;
    return true;
}
