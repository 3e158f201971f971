#pragma once

#include "DeckWriter.h"

#include <QColor>
#include <QString>
#include <QStringList>
#include <QVector>

// What the demo platform holds on first start: every text of the seeded
// records and the plan of the media files made for them.
class DemoCatalog
{
public:
    struct Account
    {
        qint64 id;
        QString username, password, name, phone, xuedou, companyId, school, userType;
    };
    struct Category
    {
        qint64 id;
        int sort;
        QString name;
    };
    struct LibraryItem
    {
        qint64 id;
        qint64 category;
        int sort;
        QString title;
        QString file;              // below the document or video root
        QStringList slidePictures; // templates
        int art = 0;               // which drawing
    };
    struct Deck
    {
        QString file;   // "/courseware/cw-3.pptx"
        QString title;
        QVector<DeckSlide> slides;
        QStringList slidePictures; // painted, one per slide
    };
    struct Resource
    {
        QString kind; // "courseware" or "micro"
        qint64 owner;
        QString name, file, grade, subject, version, smallDbType, textbook, treeId, chapter, xuedou, isFee, intro, duration;
        int delFlag = 0;
        int deck = -1; // index into decks()
    };
    struct Video
    {
        QString file; // below the video root
        QString title, subtitle, source;
    };
    struct Help
    {
        QString resType, title, content, files;
    };
    struct OwnPicture
    {
        qint64 owner;
        QString file, realName;
        int art;
    };

    static const QVector<Account> &accounts();
    static const QVector<Category> &categories();
    static const QVector<LibraryItem> &libraryItems();
    static const QVector<Deck> &decks();
    static const QVector<Resource> &resources();
    static const QVector<QPair<qint64, int>> &purchases(); // buyer, index into resources()
    static const QVector<Video> &videos();
    static const QVector<Help> &helpArticles();
    static const QVector<OwnPicture> &ownPictures();
    // Relative paths of the help pictures, with the article and step each shows.
    static QVector<QPair<QString, QString>> helpPictures();

    // A picture of the image library, used in decks too.
    static QString photoFile(int category, int index);
};
