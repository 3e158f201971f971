#include "PageWidgetBase.h"

#include <QButtonGroup>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRegExpValidator>
#include <QRegularExpression>

namespace {
const QString kPrevious = QStringLiteral("<<");
const QString kNext = QStringLiteral(">>");
}

PageWidgetBase::PageWidgetBase(const Face &face, QWidget *parent)
    : QWidget(parent), m_face(face)
{
    m_firstButton = makeButton(face.firstText, QStringLiteral("firstPageButton"));
    m_previousButton = makeButton(kPrevious, QStringLiteral("previousPageButton"));
    m_nextButton = makeButton(kNext, QStringLiteral("nextPageButton"));
    m_lastButton = makeButton(face.lastText, QStringLiteral("lastPageButton"));
    m_previousButton->setVisible(face.showPreviousNext);
    m_nextButton->setVisible(face.showPreviousNext);

    m_countLead = new QLabel(QStringLiteral("共"), this);
    m_countLabel = new QLabel(this);
    m_countLabel->setObjectName(QStringLiteral("pageCountLabel"));
    m_countTrail = new QLabel(QStringLiteral("页"), this);

    m_jumpLead = new QLabel(face.jumpLeadText, this);
    m_pageLineEdit = new QLineEdit(this);
    m_pageLineEdit->setObjectName(QStringLiteral("pageLineEdit"));
    m_pageLineEdit->setValidator(new QRegExpValidator(QRegExp(QStringLiteral("[0-9]+$")), m_pageLineEdit));
    m_jumpTrail = new QLabel(face.jumpTrailText, this);
    m_warningLabel = new QLabel(this);
    m_warningLabel->setObjectName(QStringLiteral("warningLabel"));
    connect(m_pageLineEdit, &QLineEdit::editingFinished, this, &PageWidgetBase::on_pageLineEdit_editingFinished);

    m_group = new QButtonGroup(this);
    m_group->setExclusive(true);
    m_numberLayout = new QHBoxLayout;
    m_numberLayout->setContentsMargins(0, 0, 0, 0);
    m_numberLayout->setSpacing(face.spacing);

    auto *row = new QHBoxLayout(this);
    row->setSpacing(face.spacing);
    row->setContentsMargins(face.margin, face.margin, face.margin, face.margin);
    if (face.leadingStretch)
        row->addStretch();
    row->addWidget(m_firstButton, face.buttonStretch);
    row->addWidget(m_previousButton, face.buttonStretch);
    row->addLayout(m_numberLayout, face.buttonStretch);
    row->addWidget(m_nextButton, face.buttonStretch);
    row->addWidget(m_lastButton, face.buttonStretch);
    row->addWidget(m_countLead, 0);
    row->addWidget(m_countLabel, 0);
    row->addWidget(m_countTrail, 0);
    if (face.placeJumpRow) {
        m_pageLineEdit->setMaximumWidth(50);
        m_pageLineEdit->setAlignment(Qt::AlignHCenter);
        row->addWidget(m_jumpLead, 0);
        row->addWidget(m_pageLineEdit, 0);
        row->addWidget(m_jumpTrail, 0);
        row->addWidget(m_warningLabel, 0);
    } else {
        // Built for the shared logic, never placed: keep them out of sight.
        for (QWidget *w : {static_cast<QWidget *>(m_jumpLead), static_cast<QWidget *>(m_pageLineEdit),
                           static_cast<QWidget *>(m_jumpTrail), static_cast<QWidget *>(m_warningLabel)})
            w->hide();
    }

    m_currentPage = 1;
    setMaxPage(1);
    setStyleSheet(face.styleSheet);
    QFont f = font();
    f.setPixelSize(10);
    setFont(f);
}

QPushButton *PageWidgetBase::makeButton(const QString &text, const QString &name)
{
    auto *b = new QPushButton(text, this);
    b->setObjectName(name);
    b->setCursor(Qt::PointingHandCursor);
    b->setFocusPolicy(Qt::NoFocus);
    connect(b, &QPushButton::clicked, this, &PageWidgetBase::onPushButtonClicked);
    return b;
}

int PageWidgetBase::windowStart(int page, int pageCount)
{
    int centre = 3;
    if (pageCount > 4 && page > 3)
        centre = page <= pageCount - 2 ? page : pageCount - 1;
    return centre - 2;
}

void PageWidgetBase::changePageNum(int currentPageNum)
{
    const int p = currentPageNum;
    if (m_face.reportEverySetting || p != m_currentPage) {
        m_currentPage = p;
        emit currentPageChanged(p);
    }

    const int first = windowStart(p, m_maxPage);
    for (int i = 0; i < m_numberButtons.size(); ++i) {
        QPushButton *b = m_numberButtons[i];
        const int number = first + i;
        b->setText(QString::number(number));
        b->ensurePolished();
        b->setMaximumWidth(b->fontMetrics().horizontalAdvance(b->text()) + 20);
        if (number == p)
            b->setChecked(true);
    }

    const bool single = m_maxPage <= 1;
    const bool atFirst = p <= 1;
    const bool atLast = p >= m_maxPage;
    m_firstButton->setEnabled(!single && !atFirst);
    m_previousButton->setEnabled(!single && !atFirst);
    m_nextButton->setEnabled(!single && !atLast);
    m_lastButton->setEnabled(!single && !atLast);
}

void PageWidgetBase::setMaxPage(int pageCount)
{
    m_maxPage = pageCount;
    const int wanted = qBound(0, pageCount, 4);
    while (m_numberButtons.size() < wanted) {
        const int id = m_numberButtons.size() + 1;
        auto *b = new QPushButton(QString::number(id), this);
        b->setObjectName(QStringLiteral("pageButton%1").arg(id));
        b->setCheckable(true);
        b->setCursor(Qt::PointingHandCursor);
        b->setFocusPolicy(Qt::NoFocus);
        connect(b, &QPushButton::clicked, this, &PageWidgetBase::onPushButtonClicked);
        m_numberLayout->addWidget(b);
        m_group->addButton(b, id);
        m_numberButtons.append(b);
    }
    while (m_numberButtons.size() > wanted) {
        QPushButton *b = m_numberButtons.takeLast();
        m_group->removeButton(b);
        m_numberLayout->removeWidget(b);
        b->hide();
        b->deleteLater();
    }
    m_countLabel->setText(QString::number(pageCount));

    // Clamped to 1: after an empty count the bar would otherwise stay on a
    // page 0 that no later count brings back.
    const int page = qMax(1, qMin(pageCount, m_currentPage));
    const bool movedBack = page < m_currentPage;
    changePageNum(page);
    // The input stands for the page the user is on; a stale number there
    // would make the arrows step from a page that no longer exists.
    if (movedBack && !m_pageLineEdit->text().isEmpty())
        m_pageLineEdit->setText(QString::number(page));
}

int PageWidgetBase::inputPage() const
{
    bool ok = false;
    const int m = m_pageLineEdit->text().toInt(&ok);
    return ok ? m : 0;
}

void PageWidgetBase::onPushButtonClicked()
{
    auto *button = qobject_cast<QPushButton *>(sender());
    if (!button)
        return;
    const QString t = button->text();
    const int m = inputPage();
    int target;
    if (button == m_firstButton) {
        target = 1;
    } else if (t == kPrevious) {
        target = m > 1 ? m - 1 : m;
    } else if (t == kNext) {
        target = m < m_maxPage ? m + 1 : m;
    } else if (button == m_lastButton) {
        target = m_maxPage;
    } else {
        target = t.toInt();
        if (target == m) {
            // The click checked this button; put the check back.
            for (QPushButton *b : qAsConst(m_numberButtons))
                if (b->text().toInt() == m_currentPage)
                    b->setChecked(true);
            return;
        }
    }
    // Never hand out a page outside the count (an input still empty reads 0).
    target = qBound(1, target, qMax(1, m_maxPage));
    changePageNum(target);
    m_pageLineEdit->setText(QString::number(target));
    pageChosen(target);
}

void PageWidgetBase::on_pageLineEdit_editingFinished()
{
    m_warningLabel->clear();
    const QString text = m_pageLineEdit->text();
    if (text.isEmpty())
        return;
    static const QRegularExpression nonZero(QStringLiteral("^[0-9]*[1-9][0-9]*$"));
    if (!nonZero.match(text).hasMatch()) {
        m_warningLabel->setText(QStringLiteral("Input Error!"));
        return;
    }
    bool ok = false;
    const int n = text.toInt(&ok);
    if (!ok || n < 1 || n > m_maxPage) {
        m_warningLabel->setText(QStringLiteral("No Page!"));
        return;
    }
    changePageNum(n);
    m_pageLineEdit->setText(QString::number(n));
}
