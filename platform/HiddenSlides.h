#pragma once

#include <QList>
#include <QString>

// Which slides of a .pptx are left out of the show. The office keeps the
// mark when it loads and saves a deck, but its kit reports every slide as
// shown, so the mark is read from the file itself.
class HiddenSlides
{
public:
    // Indexes in presentation order; empty for other formats or on failure.
    static QList<int> read(const QString &pptxPath);
};
