#include "DocumentControl.h"

#include "EditBar.h"
#include "OfficeKeys.h"
#include "OfficePassword.h"
#include "OfficeSession.h"
#include "OfficeState.h"
#include "OfficeWorker.h"
#include "PasswordPrompt.h"
#include "PresentWindow.h"
#include "SlideActions.h"
#include "SlideStrip.h"

#include <QApplication>
#include <QBuffer>
#include <QClipboard>
#include <QDebug>
#include <QEventLoop>
#include <QFileInfo>
#include <QImageReader>
#include <QKeyEvent>
#include <QMimeData>
#include <QPainter>
#include <QPointer>
#include <QScreen>
#include <QWindow>
#include <algorithm>
#include <utility>

namespace {

constexpr int Margin = 24;
const QColor Background(0xE6, 0xE6, 0xE6);
const QColor Theme(0x03, 0x80, 0x4B);
// Marks clipboard contents that came from this control, so that pasting
// them back keeps shapes and formatting instead of plain text.
const QString OwnClipboardFormat = QStringLiteral("application/x-lumexa-slides");

QString fileFormat(const QString &requested, const QString &path)
{
    if (requested.isEmpty() || requested == QLatin1String("PowerPoint.Show"))
        return QStringLiteral("pptx");
    const QString suffix = QFileInfo(path).suffix().toLower();
    static const QStringList known = {QStringLiteral("pptx"), QStringLiteral("ppt"), QStringLiteral("odp"),
                                      QStringLiteral("pdf")};
    return known.contains(suffix) ? suffix : QStringLiteral("pptx");
}

} // namespace

template <class F>
void DocumentControl::post(F &&call)
{
    OfficeWorker *w = OfficeSession::worker();
    if (w)
        QMetaObject::invokeMethod(w, [w, call] { call(w); }, Qt::QueuedConnection);
}

DocumentControl::DocumentControl(QWidget *parent)
    : QWidget(parent)
{
    setObjectName(QStringLiteral("documentControl"));
    setFocusPolicy(Qt::StrongFocus);
    setAttribute(Qt::WA_InputMethodEnabled);
    setAttribute(Qt::WA_OpaquePaintEvent);
    setMouseTracking(false);
    setMinimumSize(200, 120);

    // The strip's room is kept from the start so that the first slide is
    // already rendered at its final size.
    m_strip = new SlideStrip(this);
    connect(m_strip, &SlideStrip::slideActivated, this, &DocumentControl::showSlide);
    connect(m_strip, &SlideStrip::deleteRequested, this, &DocumentControl::deleteSlide);
    connect(m_strip, &SlideStrip::moveRequested, this, &DocumentControl::moveSlide);
    m_actions = new SlideActions(this);
    connect(m_strip, &SlideStrip::menuRequested, m_actions, [this](int slide, const QPoint &pos) { m_actions->showMenu(slide, pos); });

    m_state = new OfficeState(this);
    m_bar = new EditBar(m_state, this);
    connect(m_bar, &EditBar::unoCommand, this, &DocumentControl::runCommand);
    connect(m_bar, &EditBar::insertPictureRequested, m_actions, &SlideActions::chooseAndInsertPicture);
    connect(m_bar, &EditBar::newSlideRequested, this, &DocumentControl::newSlideWithLayout);
    connect(m_bar, &EditBar::duplicateSlideRequested, this, &DocumentControl::duplicateSlide);
    connect(m_bar, &EditBar::presentRequested, this, [this] { present(false); });

    m_blink.setInterval(530);
    connect(&m_blink, &QTimer::timeout, this, [this] {
        m_blinkOn = !m_blinkOn;
        if (m_cursorVisible)
            update(toWidget(m_cursor).adjusted(-2, -2, 2, 2));
    });
    m_noticeTimer.setSingleShot(true);
    m_noticeTimer.setInterval(5000);
    connect(&m_noticeTimer, &QTimer::timeout, this, [this] {
        m_notice.clear();
        update();
    });

    OfficeWorker *w = OfficeSession::worker();
    if (!w)
        return;
    connect(w, &OfficeWorker::started, this, &DocumentControl::onStarted);
    connect(w, &OfficeWorker::opened, this, &DocumentControl::onOpened);
    connect(w, &OfficeWorker::documentChanged, this, &DocumentControl::onDocumentChanged);
    connect(w, &OfficeWorker::slidePainted, this, &DocumentControl::onSlidePainted);
    connect(w, &OfficeWorker::thumbnailPainted, m_strip, &SlideStrip::setThumbnail);
    connect(w, &OfficeWorker::hiddenSlidesChanged, m_strip, &SlideStrip::setHiddenSlides);
    connect(w, &OfficeWorker::copied, this, &DocumentControl::onCopied);
    connect(w, &OfficeWorker::stateChanged, m_state, &OfficeState::feed);
    connect(w, &OfficeWorker::statesCleared, m_state, &OfficeState::clear);
    connect(w, &OfficeWorker::cursorChanged, this, [this](const QRect &r) {
        m_cursor = r;
        m_blinkOn = true;
        updateMicroFocus();
        update();
    });
    connect(w, &OfficeWorker::cursorVisibleChanged, this, [this](bool visible) {
        m_cursorVisible = visible;
        update();
    });
    connect(w, &OfficeWorker::textSelectionChanged, this, [this](const QVector<QRect> &rects) {
        m_textSelection = rects;
        update();
    });
    connect(w, &OfficeWorker::graphicSelectionChanged, this, [this](const QRect &r) {
        m_graphicSelection = r;
        update();
    });
    OfficePassword *gate = w->password();
    connect(gate, &OfficePassword::requested, this, [this, gate](const QString &path, bool again) {
        QPointer<DocumentControl> self(this);
        QString password;
        if (PasswordPrompt::ask(this, QFileInfo(path).fileName(), again, &password)) {
            gate->answer(password);
            return;
        }
        gate->cancel();
        if (self)
            m_passwordCancelled = true; // no notice: the teacher chose this
    });
    // The office may have come up, or failed to, before this control.
    if (w->state() != OfficeWorker::Starting)
        onStarted(w->state() == OfficeWorker::Ready);
}

DocumentControl::~DocumentControl()
{
    // The deck goes with the control; the office stays for the next one.
    post([](OfficeWorker *w) { w->close(); });
}

bool DocumentControl::isAvailable() const
{
    OfficeWorker *w = OfficeSession::worker();
    return w && w->state() == OfficeWorker::Ready;
}

bool DocumentControl::SetMenuDisplay(int lMenuFlag)
{
    m_menuFlags = lMenuFlag;
    return true;
}

void DocumentControl::Open(const QVariant &Document)
{
    const QString path = Document.toString();
    const int request = ++m_openRequest;
    m_loading = true;
    update();
    post([request, path](OfficeWorker *w) { w->open(request, path); });
}

int DocumentControl::SaveAs(const QVariant &strFileName, const QVariant &dwFileFormat)
{
    const QString path = strFileName.toString();
    OfficeWorker *w = OfficeSession::worker();
    if (path.isEmpty() || !w)
        return 0;
    const QString format = fileFormat(dwFileFormat.toString(), path);
    const int request = ++m_saveRequest;

    // The caller reads the file right after this returns, so wait for it,
    // but in an event loop: the window keeps painting while the office
    // writes.
    bool done = false;
    bool ok = false;
    QEventLoop loop;
    connect(w, &OfficeWorker::saved, &loop, [&](int r, bool result) {
        if (r != request)
            return;
        done = true;
        ok = result;
        loop.quit();
    });
    connect(w, &QObject::destroyed, &loop, &QEventLoop::quit);
    QMetaObject::invokeMethod(w, [w, request, path, format] { w->saveAs(request, path, format); }, Qt::QueuedConnection);
    QPointer<DocumentControl> self(this);
    if (!done)
        loop.exec();
    if (!ok && self)
        showNotice(QStringLiteral("无法保存文件：%1").arg(QFileInfo(path).fileName()));
    return ok ? 1 : 0;
}

void DocumentControl::newSlide()
{
    if (editable())
        post([](OfficeWorker *w) { w->newSlide(); });
}

void DocumentControl::deleteSlide(int index)
{
    if (editable() && m_slides > 1)
        post([index](OfficeWorker *w) { w->deleteSlide(index); });
}

void DocumentControl::moveSlide(int from, int to)
{
    if (editable())
        post([from, to](OfficeWorker *w) { w->moveSlide(from, to); });
}

void DocumentControl::newSlideWithLayout(int layout)
{
    if (editable())
        post([layout](OfficeWorker *w) { w->newSlide(layout); });
}

void DocumentControl::duplicateSlide()
{
    runCommand(".uno:DuplicatePage");
}

void DocumentControl::runCommand(const QByteArray &name, const QByteArray &args)
{
    if (!editable())
        return;
    post([name, args](OfficeWorker *w) { w->commandWithArgs(name, args); });
    // Back to the slide after a choice in the bar, so typing goes on there.
    setFocus(Qt::OtherFocusReason);
}

PresentWindow *DocumentControl::presentWindow() const
{
    return m_show.data();
}

void DocumentControl::present(bool fromCurrent)
{
    if (!editable() || m_show)
        return;
    // Leave the text being edited: it would be drawn onto the slides shown.
    const int escape = OfficeKeys::keyCode(Qt::Key_Escape);
    post([escape](OfficeWorker *w) {
        w->key(0, escape);
        w->key(0, escape);
    });
    auto *show = new PresentWindow(m_slides, fromCurrent ? m_current : 0);
    m_show = show;
    connect(show, &PresentWindow::renderRequested, this, [this](int slide, const QSize &pixels) {
        post([slide, pixels](OfficeWorker *w) { w->renderForShow(slide, pixels); });
    });
    if (OfficeWorker *w = OfficeSession::worker())
        connect(w, &OfficeWorker::showPainted, show, &PresentWindow::setSlideImage);
    connect(show, &PresentWindow::ended, this, [this](int last) {
        showSlide(last);
        activateWindow();
        setFocus(Qt::OtherFocusReason);
    });
    QScreen *screen = window()->windowHandle() ? window()->windowHandle()->screen() : QGuiApplication::primaryScreen();
    if (screen)
        show->setGeometry(screen->geometry());
    show->showFullScreen();
    show->activateWindow();
    show->setFocus(Qt::ActiveWindowFocusReason);
}

void DocumentControl::showSlide(int index)
{
    if (editable() && index != m_current)
        post([index](OfficeWorker *w) { w->showSlide(index); });
}

void DocumentControl::insertPicture(const QString &path)
{
    if (!editable())
        return;
    if (QImageReader(path).size().isEmpty()) {
        showNotice(QStringLiteral("无法插入图片：%1").arg(QFileInfo(path).fileName()));
        return;
    }
    post([path](OfficeWorker *w) { w->insertPicture(path); });
}

bool DocumentControl::editable() const
{
    return !m_loading && m_slides > 0 && isAvailable();
}

void DocumentControl::onStarted(bool available)
{
    m_strip->setVisible(available);
    m_bar->setVisible(available);
    resizeEvent(nullptr);
    requestViewSize();
    update();
}

void DocumentControl::onOpened(int request, bool ok, const QString &path)
{
    if (request == m_openRequest)
        m_loading = false;
    const bool cancelled = std::exchange(m_passwordCancelled, false);
    if (ok) {
        m_path = path;
        m_cursorVisible = false;
        m_textSelection.clear();
        m_graphicSelection = QRect();
    } else if (!cancelled) {
        showNotice(QStringLiteral("无法打开文件：%1").arg(QFileInfo(path).fileName()));
    }
    update();
    emit documentOpened(ok, path);
}

void DocumentControl::onDocumentChanged(int slides, int current, const QSize &twips)
{
    const bool countChanged = slides != m_slides;
    if (current != m_current) {
        m_cursorVisible = false;
        m_cursor = QRect();
        m_textSelection.clear();
        m_graphicSelection = QRect();
    }
    m_slides = slides;
    m_current = current;
    if (twips != m_twips) {
        m_twips = twips;
        if (!twips.isEmpty())
            m_strip->setAspect(double(twips.height()) / twips.width());
    }
    m_strip->setSlideCount(slides);
    m_strip->setCurrentSlide(current);
    requestViewSize();
    update();
    if (countChanged)
        emit slideCountChanged(slides);
}

void DocumentControl::onSlidePainted(int slide, const QImage &image)
{
    if (slide != m_current)
        return;
    m_image = image;
    m_image.setDevicePixelRatio(1.0);
    m_imageFresh = true;
    update();
}

void DocumentControl::onCopied(const QString &text)
{
    m_copiesInFlight = qMax(0, m_copiesInFlight - 1);
    auto *data = new QMimeData;
    data->setText(text);
    data->setData(OwnClipboardFormat, QByteArray("1"));
    QApplication::clipboard()->setMimeData(data);
}

QRect DocumentControl::slideArea() const
{
    const int left = m_strip->isVisible() ? m_strip->width() : 0;
    const int top = m_bar->isHidden() ? 0 : m_bar->height();
    return QRect(left, top, width() - left, height() - top);
}

QRect DocumentControl::slideRect() const
{
    const QRect area = slideArea().adjusted(Margin, Margin, -Margin, -Margin);
    if (area.width() <= 0 || area.height() <= 0)
        return QRect();
    const QSize aspect = m_twips.isEmpty() ? QSize(16, 9) : m_twips;
    const QSize fitted = aspect.scaled(area.size(), Qt::KeepAspectRatio);
    return QRect(area.left() + (area.width() - fitted.width()) / 2,
                 area.top() + (area.height() - fitted.height()) / 2, fitted.width(), fitted.height());
}

QPoint DocumentControl::toTwips(const QPoint &pos) const
{
    const QRect r = slideRect();
    if (r.isEmpty() || m_twips.isEmpty())
        return QPoint();
    return QPoint(qRound(double(pos.x() - r.left()) * m_twips.width() / r.width()),
                  qRound(double(pos.y() - r.top()) * m_twips.height() / r.height()));
}

QRect DocumentControl::toWidget(const QRect &twips) const
{
    const QRect r = slideRect();
    if (r.isEmpty() || m_twips.isEmpty())
        return QRect();
    const double sx = double(r.width()) / m_twips.width();
    const double sy = double(r.height()) / m_twips.height();
    return QRect(r.left() + qRound(twips.x() * sx), r.top() + qRound(twips.y() * sy),
                 qMax(1, qRound(twips.width() * sx)), qMax(1, qRound(twips.height() * sy)));
}

void DocumentControl::requestViewSize()
{
    const QSize pixels = slideRect().size() * devicePixelRatioF();
    if (pixels.isEmpty() || pixels == m_requestedPixels)
        return;
    m_requestedPixels = pixels;
    const int thumbWidth = qRound(m_strip->thumbnailWidth() * devicePixelRatioF());
    post([pixels, thumbWidth](OfficeWorker *w) { w->setViewSize(pixels, thumbWidth); });
}

void DocumentControl::resizeEvent(QResizeEvent *)
{
    const int top = m_bar->isHidden() ? 0 : m_bar->sizeHint().height();
    m_bar->setGeometry(0, 0, width(), top);
    m_strip->setGeometry(0, top, m_strip->width(), height() - top);
    requestViewSize();
}

void DocumentControl::showEvent(QShowEvent *)
{
    requestViewSize();
}

void DocumentControl::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    p.fillRect(rect(), Background);
    const QRect area = slideArea();
    OfficeWorker *w = OfficeSession::worker();
    const OfficeWorker::State state = w ? w->state() : OfficeWorker::Stopped;
    QFont font = p.font();
    font.setPixelSize(16);
    p.setFont(font);

    if (state == OfficeWorker::Missing || state == OfficeWorker::Stopped) {
        p.setPen(QColor(0x55, 0x55, 0x55));
        p.drawText(area, Qt::AlignCenter,
                   QStringLiteral("缺少演示文稿组件，无法在此显示和编辑课件。\n"
                                  "请安装 LibreOffice Impress 后重新启动。"));
        return;
    }
    const QRect r = slideRect();
    if (m_image.isNull()) {
        p.setPen(QColor(0x77, 0x77, 0x77));
        p.drawText(area, Qt::AlignCenter, QStringLiteral("正在打开演示文稿…"));
        return;
    }

    for (int i = 1; i <= 4; ++i)
        p.fillRect(r.adjusted(-i, -i + 2, i, i + 2), QColor(0, 0, 0, 14));
    p.setRenderHint(QPainter::SmoothPixmapTransform, m_image.size() != r.size() * devicePixelRatioF());
    p.drawImage(r, m_image);

    for (const QRect &sel : qAsConst(m_textSelection))
        p.fillRect(toWidget(sel), QColor(0x33, 0x88, 0xDD, 70));
    if (!m_graphicSelection.isEmpty()) {
        const QRect g = toWidget(m_graphicSelection);
        p.setPen(QPen(Theme, 1, Qt::DashLine));
        p.setBrush(Qt::NoBrush);
        p.drawRect(g);
        p.setPen(QPen(Theme, 1));
        p.setBrush(Qt::white);
        const QList<QPoint> handles = {g.topLeft(), QPoint(g.center().x(), g.top()), g.topRight(),
                                       QPoint(g.right(), g.center().y()), g.bottomRight(),
                                       QPoint(g.center().x(), g.bottom()), g.bottomLeft(),
                                       QPoint(g.left(), g.center().y())};
        for (const QPoint &h : handles)
            p.drawRect(QRect(h - QPoint(3, 3), QSize(7, 7)));
    }
    if (m_cursorVisible && m_blinkOn && hasFocus()) {
        const QRect c = toWidget(m_cursor);
        p.fillRect(QRect(c.left(), c.top(), 2, c.height()), Qt::black);
    }
    // A note over the slide: a failure to report, or the next deck loading.
    const QString note = !m_notice.isEmpty() ? m_notice : m_loading ? QStringLiteral("正在打开演示文稿…") : QString();
    if (!note.isEmpty()) {
        const QRect banner = QRect(area.left() + area.width() / 2 - 220, area.top() + 8, 440, 34);
        p.setRenderHint(QPainter::Antialiasing);
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(0, 0, 0, 170));
        p.drawRoundedRect(banner, 6, 6);
        p.setPen(Qt::white);
        p.drawText(banner, Qt::AlignCenter, p.fontMetrics().elidedText(note, Qt::ElideMiddle, banner.width() - 20));
    }
    if (m_imageFresh) {
        m_imageFresh = false;
        emit slidePainted();
    }
}

void DocumentControl::showNotice(const QString &text)
{
    m_notice = text;
    m_noticeTimer.start();
    update();
}

bool DocumentControl::handleShortcut(QKeyEvent *event)
{
    const Qt::KeyboardModifiers mods = event->modifiers() & (Qt::ControlModifier | Qt::ShiftModifier | Qt::AltModifier);
    if (!(mods & Qt::ControlModifier) || (mods & Qt::AltModifier))
        return false;
    const bool shift = mods & Qt::ShiftModifier;
    QByteArray command;
    switch (event->key()) {
    case Qt::Key_Z: command = shift ? ".uno:Redo" : ".uno:Undo"; break;
    case Qt::Key_Y: command = ".uno:Redo"; break;
    case Qt::Key_B: command = ".uno:Bold"; break;
    case Qt::Key_I: command = ".uno:Italic"; break;
    case Qt::Key_U: command = ".uno:Underline"; break;
    case Qt::Key_A: command = ".uno:SelectAll"; break;
    case Qt::Key_C:
    case Qt::Key_X:
        copy(event->key() == Qt::Key_X);
        return true;
    case Qt::Key_V:
        paste();
        return true;
    case Qt::Key_M:
        newSlide();
        return true;
    case Qt::Key_D:
        // Duplicates the selection in place.
        post([](OfficeWorker *w) {
            w->command(".uno:Copy");
            w->command(".uno:Paste");
        });
        return true;
    default:
        return false;
    }
    post([command](OfficeWorker *w) { w->command(command); });
    return true;
}

void DocumentControl::copy(bool cut)
{
    ++m_copiesInFlight;
    post([cut](OfficeWorker *w) { w->copySelection(cut); });
}

void DocumentControl::paste()
{
    const QMimeData *data = QApplication::clipboard()->mimeData();
    // A copy still on its way comes first, and it is ours.
    if (m_copiesInFlight > 0 || (data && data->hasFormat(OwnClipboardFormat))) {
        post([](OfficeWorker *w) { w->command(".uno:Paste"); });
    } else if (!data) {
        return;
    } else if (data->hasImage()) {
        QByteArray png;
        QBuffer buffer(&png);
        buffer.open(QIODevice::WriteOnly);
        qvariant_cast<QImage>(data->imageData()).save(&buffer, "PNG");
        post([png](OfficeWorker *w) { w->paste(QStringLiteral("image/png"), png); });
    } else if (data->hasText()) {
        const QByteArray text = data->text().toUtf8();
        post([text](OfficeWorker *w) { w->paste(QStringLiteral("text/plain;charset=utf-8"), text); });
    }
}

void DocumentControl::keyPressEvent(QKeyEvent *event)
{
    if (!editable()) {
        QWidget::keyPressEvent(event);
        return;
    }
    if (event->key() == Qt::Key_F5) {
        present(event->modifiers() & Qt::ShiftModifier);
        return;
    }
    if (handleShortcut(event))
        return;
    const int mods = OfficeKeys::modifiers(event->modifiers());
    const int code = OfficeKeys::keyCode(event->key());
    if (OfficeKeys::isSpecial(event->key())) {
        post([code, mods](OfficeWorker *w) { w->key(0, code | mods); });
        return;
    }
    const QString text = event->text();
    if (text.isEmpty() || !text.at(0).isPrint() || (event->modifiers() & (Qt::ControlModifier | Qt::AltModifier))) {
        if (code)
            post([code, mods](OfficeWorker *w) { w->key(0, code | mods); });
        else
            QWidget::keyPressEvent(event);
        return;
    }
    const bool ascii = std::all_of(text.begin(), text.end(), [](QChar ch) { return ch.unicode() < 0x80; });
    if (!ascii) {
        // Characters beyond ASCII go in as composed text, as an input method
        // would send them.
        post([text](OfficeWorker *w) { w->textInput(text, true); });
        return;
    }
    for (const QChar ch : text) {
        const int c = ch.unicode();
        post([c, code, mods](OfficeWorker *w) { w->key(c, code | mods); });
    }
}

void DocumentControl::inputMethodEvent(QInputMethodEvent *event)
{
    if (!editable()) {
        event->ignore();
        return;
    }
    const QString commit = event->commitString();
    const QString preedit = event->preeditString();
    if (!commit.isEmpty()) {
        post([commit](OfficeWorker *w) { w->textInput(commit, true); });
        m_preediting = false;
    }
    if (!preedit.isEmpty()) {
        post([preedit](OfficeWorker *w) { w->textInput(preedit, false); });
        m_preediting = true;
    } else if (m_preediting && commit.isEmpty()) {
        // The composition was abandoned: clear it.
        post([](OfficeWorker *w) { w->textInput(QString(), true); });
        m_preediting = false;
    }
    event->accept();
}

QVariant DocumentControl::inputMethodQuery(Qt::InputMethodQuery query) const
{
    switch (query) {
    case Qt::ImEnabled:
        return editable();
    case Qt::ImCursorRectangle:
        return toWidget(m_cursor);
    case Qt::ImHints:
        return int(Qt::ImhMultiLine);
    default:
        return QWidget::inputMethodQuery(query);
    }
}

void DocumentControl::sendMouse(int action, QMouseEvent *event, int count)
{
    const QPoint twips = toTwips(event->pos());
    int buttons = OfficeKeys::buttons(action == OfficeWorker::MouseMove ? event->buttons() : event->button());
    const int mods = OfficeKeys::modifiers(event->modifiers());
    post([action, twips, count, buttons, mods](OfficeWorker *w) { w->mouse(action, twips, count, buttons, mods); });
}

void DocumentControl::mousePressEvent(QMouseEvent *event)
{
    setFocus(Qt::MouseFocusReason);
    if (!editable() || event->button() != Qt::LeftButton)
        return;
    m_clickCount = 1;
    sendMouse(OfficeWorker::MouseDown, event, 1);
}

void DocumentControl::mouseDoubleClickEvent(QMouseEvent *event)
{
    if (!editable() || event->button() != Qt::LeftButton)
        return;
    m_clickCount = 2;
    sendMouse(OfficeWorker::MouseDown, event, 2);
}

void DocumentControl::mouseMoveEvent(QMouseEvent *event)
{
    if (editable() && (event->buttons() & Qt::LeftButton))
        sendMouse(OfficeWorker::MouseMove, event, 1);
}

void DocumentControl::mouseReleaseEvent(QMouseEvent *event)
{
    if (editable() && event->button() == Qt::LeftButton)
        sendMouse(OfficeWorker::MouseUp, event, m_clickCount);
}

void DocumentControl::focusInEvent(QFocusEvent *event)
{
    QWidget::focusInEvent(event);
    m_blinkOn = true;
    m_blink.start();
    update();
}

void DocumentControl::focusOutEvent(QFocusEvent *event)
{
    QWidget::focusOutEvent(event);
    m_blink.stop();
    update();
}

bool DocumentControl::focusNextPrevChild(bool next)
{
    // Tab belongs to the text being edited.
    if (editable())
        return false;
    return QWidget::focusNextPrevChild(next);
}
