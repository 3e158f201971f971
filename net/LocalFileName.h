#pragma once

#include <QString>
#include <QStringList>

// Local file names made from server text (record names, stored paths). A
// name from the server may hold separators, "..", characters a file system
// refuses, or be far too long; nothing of it may steer where a file lands.
class LocalFileName
{
public:
    // name as a single path component: separators and refused characters
    // become "_", leading and trailing dots and spaces go, reserved device
    // names get a "_" in front, and the result stays within MaxBytes of
    // UTF-8. fallback (made safe the same way) when nothing is left.
    static QString safe(const QString &name, const QString &fallback);

    // folder/base + suffix, or folder/base (2) + suffix, (3) ... : the first
    // path that does not exist yet and is not among taken.
    static QString unique(const QString &folder, const QString &base, const QString &suffix,
                          const QStringList &taken = {});

    // The suffix of a stored path (".pptx") when it is one of allowed
    // (compared without case, given without the dot), else "." + fallback.
    static QString suffixOf(const QString &storedPath, const QStringList &allowed,
                            const QString &fallback);

    static const int MaxBytes = 180;
};
