#include "PresentWindow.h"

#include <QCloseEvent>
#include <QKeyEvent>
#include <QPainter>

PresentWindow::PresentWindow(int slides, int first, QWidget *parent)
    : QWidget(parent, Qt::Window | Qt::FramelessWindowHint), m_slides(slides), m_current(qBound(0, first, slides - 1))
{
    setObjectName(QStringLiteral("presentWindow"));
    setWindowTitle(QStringLiteral("幻灯片放映"));
    setAttribute(Qt::WA_DeleteOnClose);
    setAttribute(Qt::WA_OpaquePaintEvent);
    setFocusPolicy(Qt::StrongFocus);
    setCursor(Qt::BlankCursor);
}

QSize PresentWindow::renderSize() const
{
    return size() * devicePixelRatioF();
}

void PresentWindow::request(int slide)
{
    if (slide >= 0 && slide < m_slides && !m_images.contains(slide) && !renderSize().isEmpty())
        emit renderRequested(slide, renderSize());
}

void PresentWindow::setSlideImage(int slide, const QImage &image, const QSize &pixels)
{
    if (pixels != renderSize())
        return; // asked for before a resize
    m_images.insert(slide, image);
    // Keep only the neighbourhood: a long deck at screen size is large.
    for (auto it = m_images.begin(); it != m_images.end();)
        it = qAbs(it.key() - m_current) > 2 ? m_images.erase(it) : std::next(it);
    if (slide == m_current) {
        m_painted = false;
        update();
    }
}

void PresentWindow::go(int slide)
{
    if (slide < 0 || slide >= m_slides)
        return;
    m_screen = Slide;
    m_current = slide;
    m_painted = false;
    request(slide);
    // The next one is usually next: have it ready.
    request(slide + 1);
    update();
}

void PresentWindow::resizeEvent(QResizeEvent *)
{
    if (renderSize() == m_renderedFor)
        return;
    m_renderedFor = renderSize();
    m_images.clear();
    go(m_current);
}

void PresentWindow::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    if (m_screen != Slide) {
        p.fillRect(rect(), m_screen == Black ? Qt::black : Qt::white);
        return;
    }
    p.fillRect(rect(), Qt::black);
    const QImage image = m_images.value(m_current);
    if (image.isNull())
        return;
    QSize fitted = image.size() / devicePixelRatioF();
    fitted.scale(size(), Qt::KeepAspectRatio);
    const QRect target(QPoint((width() - fitted.width()) / 2, (height() - fitted.height()) / 2), fitted);
    p.drawImage(target, image);
    if (!m_painted) {
        m_painted = true;
        emit slideShown(m_current);
    }
}

void PresentWindow::keyPressEvent(QKeyEvent *event)
{
    const int key = event->key();
    if (key >= Qt::Key_0 && key <= Qt::Key_9) {
        m_typed += QChar('0' + (key - Qt::Key_0));
        return;
    }
    if ((key == Qt::Key_Return || key == Qt::Key_Enter) && !m_typed.isEmpty()) {
        go(m_typed.toInt() - 1);
        m_typed.clear();
        return;
    }
    m_typed.clear();
    switch (key) {
    case Qt::Key_Escape:
        finish();
        return;
    case Qt::Key_B:
    case Qt::Key_W: {
        const Screen blank = key == Qt::Key_B ? Black : White;
        m_screen = m_screen == blank ? Slide : blank;
        update();
        return;
    }
    case Qt::Key_Right:
    case Qt::Key_Down:
    case Qt::Key_Space:
    case Qt::Key_PageDown:
    case Qt::Key_Return:
    case Qt::Key_Enter:
    case Qt::Key_N:
        if (m_screen != Slide)
            m_screen = Slide, update();
        else if (m_current + 1 < m_slides)
            go(m_current + 1);
        else
            finish();
        return;
    case Qt::Key_Left:
    case Qt::Key_Up:
    case Qt::Key_PageUp:
    case Qt::Key_Backspace:
    case Qt::Key_P:
        if (m_screen != Slide)
            m_screen = Slide, update();
        else
            go(m_current - 1);
        return;
    case Qt::Key_Home:
        go(0);
        return;
    case Qt::Key_End:
        go(m_slides - 1);
        return;
    default:
        QWidget::keyPressEvent(event);
    }
}

void PresentWindow::mousePressEvent(QMouseEvent *event)
{
    if (event->button() == Qt::LeftButton) {
        QKeyEvent next(QEvent::KeyPress, Qt::Key_Right, Qt::NoModifier);
        keyPressEvent(&next);
    } else if (event->button() == Qt::RightButton) {
        go(m_current - 1);
    }
}

void PresentWindow::finish()
{
    close();
}

void PresentWindow::closeEvent(QCloseEvent *event)
{
    if (!m_ended) {
        m_ended = true;
        emit ended(m_current);
    }
    event->accept();
}
