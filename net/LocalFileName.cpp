#include "LocalFileName.h"

#include <QDir>
#include <QFileInfo>
#include <QRegularExpression>

namespace {
QString clean(const QString &text)
{
    static const QString refused = QStringLiteral("/\\:*?\"<>|");
    QString out;
    out.reserve(text.size());
    for (const QChar c : text) {
        if (c.unicode() < 0x20 || c.unicode() == 0x7f || refused.contains(c))
            out += QLatin1Char('_');
        else
            out += c;
    }
    // Leading dots hide the file or climb ("..", "..."), trailing dots and
    // spaces are dropped by some file systems, which then merges names.
    int begin = 0;
    int end = out.size();
    while (begin < end && (out.at(begin) == QLatin1Char('.') || out.at(begin).isSpace()))
        ++begin;
    while (end > begin && (out.at(end - 1) == QLatin1Char('.') || out.at(end - 1).isSpace()))
        --end;
    out = out.mid(begin, end - begin);

    static const QRegularExpression reserved(QStringLiteral("^(con|prn|aux|nul|com[1-9]|lpt[1-9])(\\..*)?$"),
                                             QRegularExpression::CaseInsensitiveOption);
    if (reserved.match(out).hasMatch())
        out.prepend(QLatin1Char('_'));

    while (out.toUtf8().size() > LocalFileName::MaxBytes) {
        int cut = out.size() - 1;
        if (cut > 0 && out.at(cut).isLowSurrogate())
            --cut;
        out.truncate(cut);
    }
    // The cut may leave a trailing space or dot again.
    while (!out.isEmpty() && (out.endsWith(QLatin1Char('.')) || out.back().isSpace()))
        out.chop(1);
    return out;
}
}

QString LocalFileName::safe(const QString &name, const QString &fallback)
{
    QString out = clean(name);
    if (out.isEmpty())
        out = clean(fallback);
    if (out.isEmpty())
        out = QStringLiteral("file");
    return out;
}

QString LocalFileName::unique(const QString &folder, const QString &base, const QString &suffix,
                              const QStringList &taken)
{
    const QString dir = QDir::cleanPath(folder);
    auto pathFor = [&](int n) {
        const QString stem = n == 1 ? base : QStringLiteral("%1 (%2)").arg(base).arg(n);
        return dir + QLatin1Char('/') + stem + suffix;
    };
    for (int n = 1;; ++n) {
        const QString path = pathFor(n);
        if (!QFileInfo::exists(path) && !taken.contains(path, Qt::CaseInsensitive))
            return path;
    }
}

QString LocalFileName::suffixOf(const QString &storedPath, const QStringList &allowed, const QString &fallback)
{
    const QString suffix = QFileInfo(storedPath).suffix().toLower();
    for (const QString &a : allowed)
        if (suffix == a.toLower())
            return QLatin1Char('.') + suffix;
    return QLatin1Char('.') + fallback;
}
