#include "BaseAddress.h"

namespace {
QString fromEnv(const char *name, const char *fallback)
{
    QString value = qEnvironmentVariable(name);
    if (value.isEmpty())
        value = QString::fromUtf8(fallback);
    while (value.endsWith(QLatin1Char('/')))
        value.chop(1);
    return value;
}
}

QString BaseAddress::api() { return fromEnv("LUMEXA_API_BASE", LUMEXA_DEFAULT_API_BASE); }
QString BaseAddress::web() { return fromEnv("LUMEXA_WEB_BASE", LUMEXA_DEFAULT_WEB_BASE); }
QString BaseAddress::doc() { return fromEnv("LUMEXA_DOC_BASE", LUMEXA_DEFAULT_DOC_BASE); }
QString BaseAddress::video() { return fromEnv("LUMEXA_VIDEO_BASE", LUMEXA_DEFAULT_VIDEO_BASE); }
