#include "SlideStrip.h"

#include <QApplication>
#include <QContextMenuEvent>
#include <QPainter>
#include <QStyledItemDelegate>

namespace {

constexpr int ThumbWidth = 136;
constexpr int NumberWidth = 26;
constexpr int Gap = 8;
const QColor Theme(0x03, 0x80, 0x4B);
constexpr int HiddenRole = Qt::UserRole + 1;

// Number on the left, the framed picture of the slide on the right.
class ThumbnailDelegate : public QStyledItemDelegate
{
public:
    using QStyledItemDelegate::QStyledItemDelegate;

    void paint(QPainter *p, const QStyleOptionViewItem &option, const QModelIndex &index) const override
    {
        p->save();
        const bool current = option.state & QStyle::State_Selected;
        const QRect r = option.rect;
        const QRect pic(r.left() + NumberWidth, r.top() + Gap / 2, ThumbWidth, r.height() - Gap);
        const bool hidden = index.data(HiddenRole).toBool();
        p->setPen(current ? Theme : QColor(0x66, 0x66, 0x66));
        const QRect number(r.left(), pic.top(), NumberWidth - 4, 20);
        p->drawText(number, Qt::AlignRight | Qt::AlignTop, QString::number(index.row() + 1));
        if (hidden) {
            // The usual mark of a slide left out of the show: its number
            // boxed and struck through.
            const QRect box = p->fontMetrics().boundingRect(number, Qt::AlignRight | Qt::AlignTop,
                                                            QString::number(index.row() + 1)).adjusted(-2, 0, 1, 0);
            p->drawRect(box);
            p->drawLine(box.bottomLeft(), box.topRight());
        }
        const QImage image = index.data(Qt::UserRole).value<QImage>();
        if (image.isNull())
            p->fillRect(pic, Qt::white);
        else
            p->drawImage(pic, image);
        if (hidden)
            p->fillRect(pic, QColor(0xF3, 0xF3, 0xF3, 150));
        p->setRenderHint(QPainter::Antialiasing, false);
        if (current) {
            p->setPen(QPen(Theme, 3));
            p->drawRect(pic.adjusted(-1, -1, 1, 1));
        } else {
            p->setPen(QColor(0xC8, 0xC8, 0xC8));
            p->drawRect(pic.adjusted(0, 0, -1, -1));
        }
        p->restore();
    }
};

} // namespace

SlideStrip::SlideStrip(QWidget *parent)
    : QListWidget(parent)
{
    setObjectName(QStringLiteral("slideStrip"));
    setItemDelegate(new ThumbnailDelegate(this));
    setSelectionMode(QAbstractItemView::SingleSelection);
    setVerticalScrollMode(QAbstractItemView::ScrollPerPixel);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setFrameShape(QFrame::NoFrame);
    setStyleSheet(QStringLiteral("QListWidget{background:#F3F3F3;border:none;border-right:1px solid #D6D6D6;}"));
    setFixedWidth(NumberWidth + ThumbWidth + Gap + 16);
    connect(this, &QListWidget::currentRowChanged, this, [this](int row) {
        if (!m_updating && row >= 0)
            emit slideActivated(row);
    });
}

int SlideStrip::thumbnailWidth() const
{
    return ThumbWidth;
}

void SlideStrip::setAspect(double heightPerWidth)
{
    if (heightPerWidth <= 0 || qFuzzyCompare(heightPerWidth, m_aspect))
        return;
    m_aspect = heightPerWidth;
    updateSizes();
}

void SlideStrip::updateSizes()
{
    const QSize size(NumberWidth + ThumbWidth + Gap, qRound(ThumbWidth * m_aspect) + Gap);
    for (int i = 0; i < count(); ++i)
        item(i)->setSizeHint(size);
}

void SlideStrip::setSlideCount(int n)
{
    m_updating = true;
    while (count() > n)
        delete takeItem(count() - 1);
    while (count() < n)
        addItem(new QListWidgetItem);
    updateSizes();
    m_updating = false;
}

void SlideStrip::setCurrentSlide(int index)
{
    if (index == currentRow() || index < 0 || index >= count())
        return;
    m_updating = true;
    setCurrentRow(index);
    scrollToItem(item(index));
    m_updating = false;
}

void SlideStrip::setThumbnail(int index, const QImage &image)
{
    if (QListWidgetItem *it = item(index))
        it->setData(Qt::UserRole, image);
}

void SlideStrip::setHiddenSlides(const QList<int> &slides)
{
    for (int i = 0; i < count(); ++i) {
        const bool hidden = slides.contains(i);
        item(i)->setData(HiddenRole, hidden);
        item(i)->setToolTip(hidden ? QStringLiteral("隐藏的幻灯片，放映时不显示") : QString());
    }
}

bool SlideStrip::isSlideHidden(int index) const
{
    const QListWidgetItem *it = item(index);
    return it && it->data(HiddenRole).toBool();
}

void SlideStrip::mousePressEvent(QMouseEvent *event)
{
    QListWidget::mousePressEvent(event);
    m_dragging = false;
    m_dragFrom = -1;
    if (event->button() == Qt::LeftButton) {
        m_dragFrom = indexAt(event->pos()).row();
        m_pressPos = event->pos();
    }
}

void SlideStrip::mouseMoveEvent(QMouseEvent *event)
{
    if (m_dragFrom < 0 || !(event->buttons() & Qt::LeftButton))
        return;
    if (!m_dragging && (event->pos() - m_pressPos).manhattanLength() < QApplication::startDragDistance())
        return;
    m_dragging = true;
    m_dropIndex = dropIndex(event->pos());
    viewport()->update();
}

void SlideStrip::mouseReleaseEvent(QMouseEvent *event)
{
    QListWidget::mouseReleaseEvent(event);
    if (m_dragging && m_dragFrom >= 0) {
        // The gap before slide p; everything after the dragged one shifts up.
        const int gap = dropIndex(event->pos());
        const int to = gap > m_dragFrom ? gap - 1 : gap;
        if (to != m_dragFrom)
            emit moveRequested(m_dragFrom, to);
    }
    m_dragging = false;
    m_dragFrom = -1;
    m_dropIndex = -1;
    viewport()->update();
}

int SlideStrip::dropIndex(const QPoint &pos) const
{
    const QModelIndex index = indexAt(pos);
    if (!index.isValid())
        return pos.y() < 0 ? 0 : count();
    const QRect r = visualRect(index);
    return pos.y() < r.center().y() ? index.row() : index.row() + 1;
}

void SlideStrip::keyPressEvent(QKeyEvent *event)
{
    if ((event->key() == Qt::Key_Delete || event->key() == Qt::Key_Backspace) && currentRow() >= 0) {
        emit deleteRequested(currentRow());
        return;
    }
    QListWidget::keyPressEvent(event);
}

void SlideStrip::contextMenuEvent(QContextMenuEvent *event)
{
    const QModelIndex index = indexAt(event->pos());
    emit menuRequested(index.isValid() ? index.row() : currentRow(), event->globalPos());
}

void SlideStrip::paintEvent(QPaintEvent *event)
{
    QListWidget::paintEvent(event);
    if (!m_dragging || m_dropIndex < 0)
        return;
    int y = 0;
    if (m_dropIndex < count())
        y = visualRect(model()->index(m_dropIndex, 0)).top();
    else if (count() > 0)
        y = visualRect(model()->index(count() - 1, 0)).bottom();
    QPainter p(viewport());
    p.fillRect(QRect(NumberWidth, y - 1, ThumbWidth, 3), Theme);
}
