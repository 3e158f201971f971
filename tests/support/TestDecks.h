#pragma once

#include <QList>
#include <QRect>
#include <QString>
#include <QStringList>

// Presentation files for the document tests, written by the stand-in's deck
// writer, and read back from the .pptx zip.
class TestDecks
{
public:
    struct Slide
    {
        QString title;
        QString body;
        bool picture = false;
        // Width of the picture in pixels; large ones are photo-like.
        int pictureWidth = 480;
        bool hidden = false;
    };

    // Writes the slides as a .pptx at path (16:9, a title and a text frame on
    // each, an embedded picture where asked).
    static bool write(const QString &path, const QList<Slide> &slides);
    // Slides with these titles and a line of Chinese text under each.
    static QList<Slide> numbered(int count, bool pictures = false, int pictureWidth = 480);
    // A point on the title's text of a slide that write() made, shown in the
    // rectangle slide: a click beside the text only selects the frame.
    static QPoint titleText(const QRect &slide);
    // Writes source again as a .pptx that opens only with the password.
    static bool protect(const QString &source, const QString &target, const QString &password);

    // One zip entry of a file (empty when missing).
    static QByteArray entry(const QString &zipPath, const QString &name);
    // The text of every slide of a .pptx, in presentation order; runs and
    // paragraphs of a slide joined by single spaces.
    static QStringList slideTexts(const QString &pptxPath);
};
