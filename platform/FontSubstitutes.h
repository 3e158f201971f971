#pragma once

#include <QList>
#include <QPair>
#include <QString>

// Free faces in place of the fonts that decks made on Windows ask for, for
// the toolkit and for the office (which finds its fonts through fontconfig).
// Only the drawing changes: a deck keeps the font names it was written with.
class FontSubstitutes
{
public:
    // (Windows name, free face), in the order the editing bar lists them.
    static QList<QPair<QString, QString>> table();
    // The free face drawn for a name; the name itself when none stands in.
    static QString faceFor(const QString &family);
    // The Chinese faces a teacher expects first in the family box.
    static QStringList chineseFamilies();

    // Points fontconfig at a file of ours that adds the table to the system's
    // rules. Must run before anything loads fontconfig (before the
    // application object); keeps a FONTCONFIG_FILE that is already set.
    static void prepareFontconfig();
    // The toolkit's own substitutions, after the application object exists.
    static void installForToolkit();
    // The fontconfig rules as written to the file.
    static QByteArray fontconfigRules(const QString &systemConfig);
};
