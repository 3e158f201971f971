#pragma once

#include <QImage>
#include <QPointer>
#include <QRect>
#include <QTimer>
#include <QVariant>
#include <QVector>
#include <QWidget>

class EditBar;
class OfficeState;
class PresentWindow;
class SlideActions;
class SlideStrip;

// The embedded presentation editor of the courseware page. Shows the current
// slide fitted to its area with a strip of slide thumbnails beside it, and
// edits in place: text, shapes, slides and pictures, with the usual keys.
//
// The client uses only the operations below the first comment. The office
// behind it runs on a thread of its own; nothing here blocks the caller for
// long: Open returns at once, SaveAs waits in a local event loop. There is
// one office per process and so one control: a second one would share its
// deck.
class DocumentControl : public QWidget
{
    Q_OBJECT
    Q_PROPERTY(bool Titlebar READ titlebar WRITE setTitlebar)
    Q_PROPERTY(bool Menubar READ menubar WRITE setMenubar)

public:
    explicit DocumentControl(QWidget *parent = nullptr);
    ~DocumentControl() override;

    // The control never shows a title bar or menu bar of its own; the flags
    // are kept for callers that set them.
    bool titlebar() const { return m_titlebar; }
    void setTitlebar(bool on) { m_titlebar = on; }
    bool menubar() const { return m_menubar; }
    void setMenubar(bool on) { m_menubar = on; }
    // 0 hides the menus; the control has only its context menu anyway.
    bool SetMenuDisplay(int lMenuFlag);
    // Loads the deck at this local path (a string). Returns at once; a deck
    // that cannot be opened leaves the current one and is reported in the
    // control's area.
    void Open(const QVariant &Document);
    // Writes the deck to the path; "PowerPoint.Show" (or nothing) writes
    // .pptx. Returns when the file is written: 1, or 0 on failure.
    int SaveAs(const QVariant &strFileName, const QVariant &dwFileFormat);

    // What the control shows, for tests and tools.
    bool isAvailable() const;
    bool isLoading() const { return m_loading; }
    QString openedPath() const { return m_path; }
    int slideCount() const { return m_slides; }
    int currentSlide() const { return m_current; }
    QImage slideImage() const { return m_image; }
    // What the control's area says for a few seconds (a failed open or save).
    QString notice() const { return m_notice; }
    QRect slideRect() const;
    SlideStrip *strip() const { return m_strip; }
    EditBar *editBar() const { return m_bar; }
    OfficeState *officeState() const { return m_state; }
    PresentWindow *presentWindow() const;
    // The selected object, in twips of the slide; empty when none is.
    QRect graphicSelection() const { return m_graphicSelection; }
    QSize slideTwips() const { return m_twips; }
    QVariant inputMethodQuery(Qt::InputMethodQuery query) const override;

public slots:
    void newSlide();
    void deleteSlide(int index);
    void moveSlide(int from, int to);
    void showSlide(int index);
    void insertPicture(const QString &path);
    // layout: the office's number (EditBar::layouts()).
    void newSlideWithLayout(int layout);
    void duplicateSlide();
    // Full screen, from the first slide or from the current one.
    void present(bool fromCurrent = false);
    // An office command with its arguments (JSON), on the current selection.
    void runCommand(const QByteArray &name, const QByteArray &args = QByteArray());

signals:
    void documentOpened(bool ok, const QString &path);
    void slideCountChanged(int count);
    // A freshly rendered slide reached the screen.
    void slidePainted();

protected:
    void paintEvent(QPaintEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    void showEvent(QShowEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void inputMethodEvent(QInputMethodEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseDoubleClickEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void focusInEvent(QFocusEvent *event) override;
    void focusOutEvent(QFocusEvent *event) override;
    bool focusNextPrevChild(bool next) override;

private:
    friend class SlideActions;
    void onStarted(bool available);
    void onOpened(int request, bool ok, const QString &path);
    void onDocumentChanged(int slides, int current, const QSize &twips);
    void onSlidePainted(int slide, const QImage &image);
    void onCopied(const QString &text);
    bool handleShortcut(QKeyEvent *event);
    void copy(bool cut);
    void paste();
    void showNotice(const QString &text);
    void requestViewSize();
    void sendMouse(int action, QMouseEvent *event, int count);
    bool editable() const;
    QRect slideArea() const;
    QPoint toTwips(const QPoint &pos) const;
    QRect toWidget(const QRect &twips) const;
    template <class F> void post(F &&call);

    SlideStrip *m_strip = nullptr;
    EditBar *m_bar = nullptr;
    OfficeState *m_state = nullptr;
    SlideActions *m_actions = nullptr;
    QPointer<PresentWindow> m_show;
    bool m_titlebar = true;
    bool m_menubar = true;
    int m_menuFlags = 1;

    int m_openRequest = 0;
    int m_saveRequest = 0;
    bool m_loading = false;
    QString m_path;
    int m_slides = 0;
    int m_current = 0;
    QSize m_twips;
    QSize m_requestedPixels;

    QImage m_image;
    bool m_imageFresh = false;
    QRect m_cursor;
    bool m_cursorVisible = false;
    bool m_blinkOn = true;
    QTimer m_blink;
    QVector<QRect> m_textSelection;
    QRect m_graphicSelection;
    bool m_preediting = false;
    int m_copiesInFlight = 0;
    bool m_passwordCancelled = false;
    int m_clickCount = 1;

    QString m_notice;
    QTimer m_noticeTimer;
};
