#pragma once

#include <QMutex>
#include <QQueue>
#include <QString>
#include <QThread>
#include <QWaitCondition>

#include <atomic>

class Database;

// Slide pictures of uploaded decks. A painted cover is there at once; when
// LibreOffice (and pdftoppm) are installed a background thread renders the
// real slides and replaces it.
class SlideRenderer : public QThread
{
public:
    SlideRenderer(Database &db, QString docRoot, QString workDir, bool useOffice);
    ~SlideRenderer() override;

    // A deck stored at relative (below the document root).
    void addDeck(const QString &relative, const QString &title);
    // Paints the cover again with the published name unless real slides
    // exist; a deck never seen before is added.
    void retitle(const QString &relative, const QString &title);
    // Ends the background thread (and a conversion in progress).
    void shutdown();

    // Folder (relative) that holds the pictures of a deck.
    static QString pictureFolder(const QString &deckRelative);
    bool officeEnabled() const { return m_useOffice; }

protected:
    void run() override;

private:
    bool runTool(const QString &program, const QStringList &args, int timeoutMs);
    bool render(const QString &relative);
    void paintCover(const QString &relative, const QString &title);

    Database &m_db;
    QString m_docRoot;
    QString m_workDir;
    bool m_useOffice;
    QString m_soffice;
    QString m_pdftoppm;
    QMutex m_mutex;
    QWaitCondition m_wake;
    QQueue<QString> m_queue;
    std::atomic<bool> m_stopping{false};
};
