#pragma once

#include <QByteArray>
#include <QColor>
#include <QRect>
#include <QString>
#include <QStringList>
#include <QVector>

// One slide of a generated deck. The same description is written into the
// .pptx and painted into the slide picture, so both look alike.
struct DeckSlide
{
    enum Kind { Cover, Content, Blank };
    Kind kind = Content;
    QString title;
    QString subtitle;       // cover slides
    QStringList lines;      // content slides, one bullet each
    QByteArray picture;     // optional PNG or JPEG shown at the right
    QString pictureSuffix = QStringLiteral("png");
    QColor background = Qt::white;
    QColor accent = QColor(0x03, 0x80, 0x4B);
    bool hidden = false;    // left out of the slide show
};

// Writes minimal but complete 16:9 presentations (one master, one layout, one
// theme) that LibreOffice Impress and PowerPoint open.
class DeckWriter
{
public:
    // Slide size in EMU (13.333 x 7.5 inches).
    static constexpr qint64 SlideWidth = 12192000;
    static constexpr qint64 SlideHeight = 6858000;
    static constexpr qint64 EmuPerPixel = 12700; // at 960 x 540

    // Shape boxes in EMU, shared with the painter.
    enum class Box { Band, Title, Body, BodyBesidePicture, Picture, CoverTitle, CoverSubtitle, CoverBand };
    static QRect box(Box which); // in EMU / 1000 (fits an int)
    static QRectF boxAt(Box which, const QSizeF &canvas);

    void setTitle(const QString &title) { m_title = title; }
    void addSlide(const DeckSlide &slide) { m_slides.append(slide); }
    const QVector<DeckSlide> &slides() const { return m_slides; }

    QByteArray toPptx() const;
    bool write(const QString &path, QString *error = nullptr) const;

    // The blank template deck: one title slide with empty placeholders.
    static DeckWriter blankDeck();

private:
    QByteArray slideXml(const DeckSlide &slide, bool hasPicture) const;
    QByteArray presentationXml() const;
    QByteArray contentTypesXml(const QStringList &mediaSuffixes) const;

    QString m_title;
    QVector<DeckSlide> m_slides;
};
