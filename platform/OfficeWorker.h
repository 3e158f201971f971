#pragma once

#include <QHash>
#include <QImage>
#include <QObject>
#include <QRect>
#include <QSet>
#include <QSize>
#include <QStringList>
#include <QVector>
#include <atomic>
#include <memory>
#include <vector>

class OfficePassword;
class QTemporaryDir;

namespace lok {
class Office;
class Document;
}

// Owns the office and the open deck. Lives on the office thread: every call
// into the office library of the whole process is made from here, because the
// library is neither reentrant nor safe to call from two threads. Results and
// the office's own notifications leave through queued signals.
class OfficeWorker : public QObject
{
    Q_OBJECT

public:
    enum State { Starting, Ready, Missing, Stopped };
    enum MouseAction { MouseDown, MouseUp, MouseMove };

    explicit OfficeWorker(QObject *parent = nullptr);
    ~OfficeWorker() override;

    // Safe from any thread.
    State state() const { return m_state.load(); }
    // Where the office asks for the password of a protected deck.
    OfficePassword *password() const { return m_password; }

    // Everything below runs on the office thread only (call through
    // QMetaObject::invokeMethod with a queued connection).
    void start(const QString &programDir, const QString &profileDir);
    void open(int request, const QString &path);
    void saveAs(int request, const QString &path, const QString &format);
    void setViewSize(const QSize &pixels, int thumbnailWidth);
    void showSlide(int index);
    void key(int charCode, int keyCode);
    void mouse(int action, const QPoint &twips, int count, int buttons, int modifiers);
    void textInput(const QString &text, bool commit);
    void command(const QByteArray &name);
    void commandWithArgs(const QByteArray &name, const QByteArray &args);
    // layout: the office's number of the new slide's layout.
    void newSlide(int layout = 1);
    void deleteSlide(int index);
    void moveSlide(int from, int to);
    // centre: where on the slide (twips); the middle of the slide when null.
    void insertPicture(const QString &path, const QPoint &centre = QPoint());
    // A slide for the slide show, at that size in pixels (the slide's
    // shape fitted inside).
    void renderForShow(int slide, const QSize &pixels);
    void copySelection(bool cut);
    void paste(const QString &mimeType, const QByteArray &data);
    void close();
    void shutdown();

signals:
    void started(bool available);
    void opened(int request, bool ok, const QString &path);
    void saved(int request, bool ok);
    // Number of slides, the current one and the slide size in twips.
    void documentChanged(int slides, int current, const QSize &twips);
    void slidePainted(int slide, const QImage &image);
    void thumbnailPainted(int slide, const QImage &image);
    void cursorChanged(const QRect &twips);
    void cursorVisibleChanged(bool visible);
    void textSelectionChanged(const QVector<QRect> &twips);
    void graphicSelectionChanged(const QRect &twips);
    void copied(const QString &text);
    // The slides left out of the show, by index.
    void hiddenSlidesChanged(const QList<int> &slides);
    // The office's notification about the caret or selection, as sent.
    void stateChanged(const QByteArray &payload);
    // Another deck: what the last one reported no longer holds. Comes
    // before any notification about the new deck.
    void statesCleared();
    void showPainted(int slide, const QImage &image, const QSize &pixels);

    // From the office's own thread to this object.
    void invalidated(int slide);
    void partChanged(int slide);
    void structureChanged();

private:
    struct CallbackContext
    {
        OfficeWorker *worker;
        int serial;
    };
    static void callback(int type, const char *payload, void *data);
    static void officeCallback(int type, const char *payload, void *data);
    void handleCallback(int type, const char *payload);

    void onInvalidated(int slide);
    void onPartChanged(int slide);
    void onStructureChanged();
    void scheduleRender();
    // others: also the thumbnails of the slides not shown.
    void render(bool others = false);
    void closeDocument();
    void refreshStructure();
    // The identity of every slide, in order.
    QStringList slideIds() const;
    QSize documentSize() const;
    // Waits until the office has applied all input posted so far; it applies
    // keys and mouse events later on its own thread, so a save, slide switch
    // or command issued right after typing could overtake them.
    void drainInput();
    bool runCommand(const QByteArray &name, const QByteArray &args = QByteArray());
    void markInput();

    std::atomic<State> m_state{Starting};
    OfficePassword *m_password = nullptr;
    QString m_opening;
    int m_passwordAsks = 0;
    std::unique_ptr<lok::Office> m_office;
    std::unique_ptr<lok::Document> m_doc;
    std::unique_ptr<QTemporaryDir> m_snapshots;
    std::vector<std::unique_ptr<CallbackContext>> m_contexts;
    std::atomic<int> m_serial{0};
    QString m_snapshot;
    int m_snapshotCount = 0;

    QStringList m_ids;
    QSet<QString> m_hiddenIds;
    QHash<QString, QImage> m_thumbs;
    QSize m_twips;
    QSize m_viewPixels;
    int m_thumbWidth = 0;
    int m_slides = 0;
    int m_current = 0;
    bool m_renderScheduled = false;
    bool m_slideDirty = false;
    QSet<int> m_dirtyThumbs;
    bool m_structureCheck = false;

    bool m_inputPending = false;
    std::atomic<qint64> m_lastInput{0};
    std::atomic<qint64> m_lastCallback{0};
    std::atomic<int> m_commandResults{0};
};
