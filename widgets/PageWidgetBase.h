#pragma once

#include <QList>
#include <QWidget>

class QButtonGroup;
class QHBoxLayout;
class QLabel;
class QLineEdit;
class QPushButton;

// The core shared by both paging bars: a page count, a current page, a
// window of up to four number buttons, first/previous/next/last buttons and
// a jump-to-page input. The faces differ in texts, layout and look.
//
// The input doubles as the page the user is on: every navigation writes the
// chosen page into it and the buttons read it back.
class PageWidgetBase : public QWidget
{
    Q_OBJECT

public:
    // The first number shown by the window of number buttons when page p of
    // n is current (the window always holds p).
    static int windowStart(int page, int pageCount);

    int currentPage() const { return m_currentPage; }
    int maxPage() const { return m_maxPage; }

    // Makes page p current and refreshes the buttons.
    void changePageNum(int currentPageNum);
    // Sets the page count after a reply; the current page never moves
    // forward, it moves back when it no longer exists.
    void setMaxPage(int pageCount);

signals:
    void currentPageChanged(int currentPage);

public slots:
    void onPushButtonClicked();
    void on_pageLineEdit_editingFinished();

public:
    // What tells the two bars apart.
    struct Face
    {
        QString firstText;
        QString lastText;
        bool showPreviousNext = false;
        bool placeJumpRow = false;
        QString jumpLeadText;
        QString jumpTrailText;
        bool leadingStretch = false;
        int buttonStretch = 1;
        int spacing = 2;
        int margin = 2;
        QString styleSheet;
        // PageWidget reports every setting of the page, PageWidget2 only
        // real changes.
        bool reportEverySetting = true;
    };

protected:
    PageWidgetBase(const Face &face, QWidget *parent);
    // A button click has made a page current.
    virtual void pageChosen(int page) { Q_UNUSED(page); }

    QPushButton *m_firstButton = nullptr;
    QPushButton *m_previousButton = nullptr;
    QPushButton *m_nextButton = nullptr;
    QPushButton *m_lastButton = nullptr;
    QLabel *m_countLead = nullptr;
    QLabel *m_countLabel = nullptr;
    QLabel *m_countTrail = nullptr;
    QLabel *m_jumpLead = nullptr;
    QLineEdit *m_pageLineEdit = nullptr;
    QLabel *m_jumpTrail = nullptr;
    QLabel *m_warningLabel = nullptr;

private:
    QPushButton *makeButton(const QString &text, const QString &name);
    int inputPage() const;

    Face m_face;
    int m_currentPage = 0;
    int m_maxPage = 1;
    QList<QPushButton *> m_numberButtons; // index i holds id i + 1
    QButtonGroup *m_group = nullptr;
    QHBoxLayout *m_numberLayout = nullptr;
};
