#pragma once

#include "DocumentControl.h"

#include <QPointer>
#include <QString>

class QRect;
class QWidget;

// The single document control of the process: null until the first
// courseware page sets it up, and null again should that page go away.
extern QPointer<DocumentControl> documentControl;
// The local deck file that publishing uploads; empty at start.
extern QString currentDocumentPath;

// The call sequences every caller performs on the document control. Each is
// safe while the control does not exist: the path bookkeeping still happens.
class DocumentHost
{
public:
    // Done once by the courseware page's constructor: creates the control
    // with the page as parent (unless it exists), hides its bars and menus,
    // opens the blank template deck and hides it.
    static DocumentControl *setUp(QWidget *page);

    // The toolbar's open: the deck is shown, the current path is kept.
    static void openFromToolbar(const QString &path);
    // The toolbar's save into the working file; returns that path.
    static QString saveToWorkingFile();
    // The toolbar's export to a file the teacher chose.
    static void exportTo(const QString &path);
    // A downloaded template or own deck, already written to localPath.
    static void openDownloaded(const QString &localPath);

    // "pptemp/newfile.pptx" in the cache directory.
    static QString workingFile();
    // The blank template deck in the cache directory.
    static QString templateDeck();

    static void show();
    static void hide();
    static void place(const QRect &rect);
    static void raise();
};
