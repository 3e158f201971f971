#include "OfficeWorker.h"

#include "HiddenSlides.h"
#include "OfficePassword.h"

#include <LibreOfficeKit/LibreOfficeKit.hxx>
#include <LibreOfficeKit/LibreOfficeKitEnums.h>

#include <QDebug>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImageReader>
#include <QJsonDocument>
#include <QJsonObject>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QThread>
#include <QTimer>
#include <QUrl>
#include <chrono>
#include <cstdlib>

namespace {

// The office applies posted input on its own thread; it is done once it has
// been quiet this long after the last input.
constexpr qint64 QuietMs = 100;
constexpr qint64 DrainLimitMs = 2000;
constexpr qint64 CommandLimitMs = 3000;
constexpr int MaxRenderSide = 4096;
constexpr int ReturnKey = 1280;
constexpr int EscapeKey = 1281;

qint64 nowMs()
{
    using namespace std::chrono;
    return duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count();
}

QByteArray fileUrl(const QString &path)
{
    return QUrl::fromLocalFile(QFileInfo(path).absoluteFilePath()).toEncoded();
}

QString takeString(char *s)
{
    const QString text = s ? QString::fromUtf8(s) : QString();
    std::free(s);
    return text;
}

// "x, y, w, h" in twips.
QRect parseRect(const QByteArray &text)
{
    const QList<QByteArray> parts = text.split(',');
    if (parts.size() < 4)
        return QRect();
    return QRect(parts[0].trimmed().toInt(), parts[1].trimmed().toInt(),
                 parts[2].trimmed().toInt(), parts[3].trimmed().toInt());
}

QByteArray unoArgs(const QJsonObject &args)
{
    return QJsonDocument(args).toJson(QJsonDocument::Compact);
}

QJsonObject unoValue(const char *type, const QJsonValue &value)
{
    return QJsonObject{{QStringLiteral("type"), QString::fromLatin1(type)}, {QStringLiteral("value"), value}};
}

} // namespace

OfficeWorker::OfficeWorker(QObject *parent)
    : QObject(parent)
{
    qRegisterMetaType<QVector<QRect>>("QVector<QRect>");
    qRegisterMetaType<QList<int>>("QList<int>");
    m_password = new OfficePassword(this);
    connect(this, &OfficeWorker::invalidated, this, &OfficeWorker::onInvalidated, Qt::QueuedConnection);
    connect(this, &OfficeWorker::partChanged, this, &OfficeWorker::onPartChanged, Qt::QueuedConnection);
    connect(this, &OfficeWorker::structureChanged, this, &OfficeWorker::onStructureChanged, Qt::QueuedConnection);
}

OfficeWorker::~OfficeWorker()
{
    // The owner calls shutdown() on the office thread first; deleting the
    // office from another thread would take the process down.
    if (m_doc || m_office)
        qWarning("office worker destroyed with the office still open");
    m_doc.release();
    m_office.release();
}

void OfficeWorker::start(const QString &programDir, const QString &profileDir)
{
    m_snapshots.reset(new QTemporaryDir(QDir::tempPath() + QStringLiteral("/lumexa-decks-XXXXXX")));
    QDir().mkpath(profileDir);
    const QByteArray program = QFile::encodeName(programDir);
    const QByteArray profile = QUrl::fromLocalFile(QDir(profileDir).absolutePath()).toEncoded();
    lok::Office *office = nullptr;
    if (QFileInfo(programDir).isDir())
        office = lok::lok_cpp_init(program.constData(), profile.constData());
    if (!office) {
        qWarning() << "presentation component not available in" << programDir;
        m_state = Missing;
        emit started(false);
        return;
    }
    m_office.reset(office);
    m_office->setOptionalFeatures(LOK_FEATURE_PART_IN_INVALIDATION_CALLBACK | LOK_FEATURE_DOCUMENT_PASSWORD);
    m_office->registerCallback(&OfficeWorker::officeCallback, this);
    m_state = Ready;
    emit started(true);
}

void OfficeWorker::open(int request, const QString &path)
{
    drainInput();
    const QFileInfo info(path);
    if (path.isEmpty() || !info.isFile() || !m_snapshots || !m_snapshots->isValid()) {
        emit opened(request, false, path);
        return;
    }
    // The office reads from a private copy: the caller may delete or
    // overwrite the file it opened (saving onto it included) without pulling
    // the ground from under the open deck.
    QString suffix = info.suffix().toLower();
    suffix.remove(QRegularExpression(QStringLiteral("[^a-z0-9]")));
    if (suffix.isEmpty() || suffix.size() > 8)
        suffix = QStringLiteral("pptx");
    const QString snapshot = m_snapshots->filePath(QStringLiteral("deck-%1.%2").arg(++m_snapshotCount).arg(suffix));
    if (!QFile::copy(path, snapshot)) {
        emit opened(request, false, path);
        return;
    }

    if (!m_office) {
        if (!m_snapshot.isEmpty())
            QFile::remove(m_snapshot);
        m_snapshot = snapshot;
        emit opened(request, true, path);
        return;
    }

    m_opening = path;
    m_passwordAsks = 0;
    lok::Document *doc = m_office->documentLoad(fileUrl(snapshot).constData(), "Language=zh-CN");
    m_opening.clear();
    if (doc && doc->getDocumentType() != LOK_DOCTYPE_PRESENTATION) {
        delete doc;
        doc = nullptr;
    }
    if (!doc) {
        qWarning() << "could not open" << path << takeString(m_office->getError());
        QFile::remove(snapshot);
        emit opened(request, false, path);
        return;
    }

    closeDocument();
    m_doc.reset(doc);
    m_snapshot = snapshot;
    const int serial = ++m_serial;
    m_contexts.emplace_back(new CallbackContext{this, serial});
    emit statesCleared();
    m_doc->initializeForRendering("{}");
    m_doc->registerCallback(&OfficeWorker::callback, m_contexts.back().get());
    m_twips = QSize();
    const QStringList ids = slideIds();
    for (int slide : HiddenSlides::read(snapshot))
        m_hiddenIds.insert(ids.value(slide));
    refreshStructure();
    emit opened(request, true, path);
}

void OfficeWorker::saveAs(int request, const QString &path, const QString &format)
{
    drainInput();
    const QFileInfo info(path);
    bool ok = false;
    if (!path.isEmpty() && QDir().mkpath(info.absolutePath())) {
        if (m_doc) {
            ok = m_doc->saveAs(fileUrl(path).constData(), format.toUtf8().constData(), nullptr);
        } else if (!m_snapshot.isEmpty()) {
            // Without the office the last opened deck is written unchanged.
            if (info.exists())
                QFile::remove(path);
            ok = QFile::copy(m_snapshot, path);
        }
    }
    ok = ok && QFileInfo(path).size() > 0;
    if (!ok)
        qWarning() << "could not save the deck to" << path;
    emit saved(request, ok);
}

void OfficeWorker::setViewSize(const QSize &pixels, int thumbnailWidth)
{
    const QSize clamped = pixels.boundedTo(QSize(MaxRenderSide, MaxRenderSide));
    if (clamped != m_viewPixels) {
        m_viewPixels = clamped;
        m_slideDirty = true;
        if (m_doc && !m_viewPixels.isEmpty() && !m_twips.isEmpty())
            m_doc->setClientZoom(m_viewPixels.width(), m_viewPixels.height(), m_twips.width(), m_twips.height());
    }
    if (thumbnailWidth != m_thumbWidth) {
        m_thumbWidth = thumbnailWidth;
        m_thumbs.clear();
        for (int i = 0; i < m_slides; ++i)
            m_dirtyThumbs.insert(i);
    }
    scheduleRender();
}

void OfficeWorker::showSlide(int index)
{
    if (!m_doc || index < 0 || index >= m_slides || index == m_current)
        return;
    drainInput();
    m_doc->setPart(index);
    m_current = m_doc->getPart();
    m_slideDirty = true;
    emit documentChanged(m_slides, m_current, m_twips);
    render(true);
}

void OfficeWorker::key(int charCode, int keyCode)
{
    if (!m_doc)
        return;
    // Escape leaves the text at once, while some keys before it (Delete)
    // take effect later: let those land first, or they would hit the shape.
    if ((keyCode & 0x0FFF) == EscapeKey)
        drainInput();
    m_doc->postKeyEvent(LOK_KEYEVENT_KEYINPUT, charCode, keyCode);
    m_doc->postKeyEvent(LOK_KEYEVENT_KEYUP, charCode, keyCode);
    markInput();
}

void OfficeWorker::mouse(int action, const QPoint &twips, int count, int buttons, int modifiers)
{
    if (!m_doc)
        return;
    const int type = action == MouseDown ? LOK_MOUSEEVENT_MOUSEBUTTONDOWN
                   : action == MouseUp   ? LOK_MOUSEEVENT_MOUSEBUTTONUP
                                         : LOK_MOUSEEVENT_MOUSEMOVE;
    m_doc->postMouseEvent(type, twips.x(), twips.y(), count, buttons, modifiers);
    markInput();
}

void OfficeWorker::textInput(const QString &text, bool commit)
{
    if (!m_doc)
        return;
    // Text committed right after the mouse drew a text box (or a command
    // made a table) was lost: let the office settle into the new object.
    drainInput();
    const QByteArray utf8 = text.toUtf8();
    m_doc->postWindowExtTextInputEvent(0, LOK_EXT_TEXTINPUT, utf8.constData());
    if (commit)
        m_doc->postWindowExtTextInputEvent(0, LOK_EXT_TEXTINPUT_END, "");
    markInput();
}

void OfficeWorker::command(const QByteArray &name)
{
    if (!m_doc)
        return;
    drainInput();
    m_doc->postUnoCommand(name.constData(), nullptr, true);
    markInput();
}

void OfficeWorker::commandWithArgs(const QByteArray &name, const QByteArray &args)
{
    if (!m_doc)
        return;
    drainInput();
    if (name == ".uno:InsertTable") {
        // The new table comes selected as a whole, and text typed then is
        // lost; Enter puts the caret into its first cell, where a teacher
        // expects it.
        if (runCommand(name, args))
            key(0, ReturnKey);
        return;
    }
    m_doc->postUnoCommand(name.constData(), args.isEmpty() ? nullptr : args.constData(), true);
    markInput();
}

void OfficeWorker::newSlide(int layout)
{
    if (!m_doc)
        return;
    drainInput();
    runCommand(".uno:InsertPage");
    // The layout is set whatever the layout of the slide it follows.
    runCommand(".uno:AssignLayout", unoArgs({{QStringLiteral("WhatLayout"), unoValue("long", layout)}}));
    refreshStructure();
}

void OfficeWorker::deleteSlide(int index)
{
    if (!m_doc || index < 0 || index >= m_slides || m_slides <= 1)
        return;
    drainInput();
    if (index != m_current)
        m_doc->setPart(index);
    runCommand(".uno:DeletePage");
    refreshStructure();
}

void OfficeWorker::moveSlide(int from, int to)
{
    if (!m_doc || from < 0 || from >= m_slides)
        return;
    to = qBound(0, to, m_slides - 1);
    if (from == to)
        return;
    drainInput();
    m_doc->setPart(from);
    if (to == 0) {
        runCommand(".uno:MovePageFirst");
    } else if (to == m_slides - 1) {
        runCommand(".uno:MovePageLast");
    } else {
        const QByteArray step = to < from ? ".uno:MovePageUp" : ".uno:MovePageDown";
        for (int i = 0; i < qAbs(to - from); ++i)
            runCommand(step);
    }
    refreshStructure();
}

void OfficeWorker::insertPicture(const QString &path, const QPoint &centre)
{
    if (!m_doc)
        return;
    const QSize pixels = QImageReader(path).size();
    if (pixels.isEmpty() || m_twips.isEmpty())
        return;
    drainInput();
    const QString url = QString::fromUtf8(fileUrl(path));
    runCommand(".uno:InsertGraphic", unoArgs({{QStringLiteral("FileName"), unoValue("string", url)}}));

    // The office drops the picture at the middle of a window it imagines;
    // put it in the middle of the slide instead, at its own size at 96 dpi
    // but no larger than four fifths of the slide.
    const double natW = pixels.width() * 15.0, natH = pixels.height() * 15.0;
    const double scale = qMin(1.0, qMin(0.8 * m_twips.width() / natW, 0.8 * m_twips.height() / natH));
    const int w = qRound(natW * scale), h = qRound(natH * scale);
    const QPoint c = centre.isNull() ? QPoint(m_twips.width() / 2, m_twips.height() / 2) : centre;
    const int x = qBound(0, c.x() - w / 2, m_twips.width() - w), y = qBound(0, c.y() - h / 2, m_twips.height() - h);
    runCommand(".uno:TransformDialog",
               unoArgs({{QStringLiteral("TransformPosX"), unoValue("long", x)},
                        {QStringLiteral("TransformPosY"), unoValue("long", y)},
                        {QStringLiteral("TransformWidth"), unoValue("long", w)},
                        {QStringLiteral("TransformHeight"), unoValue("long", h)}}));
}

void OfficeWorker::renderForShow(int slide, const QSize &pixels)
{
    if (!m_doc || slide < 0 || slide >= m_slides || pixels.isEmpty() || m_twips.isEmpty())
        return;
    drainInput();
    const QSize size = m_twips.scaled(pixels.boundedTo(QSize(MaxRenderSide, MaxRenderSide)), Qt::KeepAspectRatio);
    QImage image(size, QImage::Format_ARGB32_Premultiplied);
    m_doc->paintPartTile(image.bits(), slide, image.width(), image.height(), 0, 0, m_twips.width(), m_twips.height());
    emit showPainted(slide, image, pixels);
}

void OfficeWorker::copySelection(bool cut)
{
    if (!m_doc)
        return;
    drainInput();
    const QString text = takeString(m_doc->getTextSelection("text/plain;charset=utf-8", nullptr));
    runCommand(cut ? ".uno:Cut" : ".uno:Copy");
    emit copied(text);
}

void OfficeWorker::paste(const QString &mimeType, const QByteArray &data)
{
    if (!m_doc || data.isEmpty())
        return;
    drainInput();
    m_doc->paste(mimeType.toUtf8().constData(), data.constData(), size_t(data.size()));
    markInput();
}

void OfficeWorker::close()
{
    closeDocument();
    emit statesCleared();
    emit documentChanged(0, 0, QSize());
}

void OfficeWorker::shutdown()
{
    m_password->close();
    closeDocument();
    m_office.reset();
    m_snapshots.reset();
    m_snapshot.clear();
    m_contexts.clear();
    m_state = Stopped;
}

void OfficeWorker::callback(int type, const char *payload, void *data)
{
    auto *context = static_cast<CallbackContext *>(data);
    if (context->serial != context->worker->m_serial.load())
        return;
    context->worker->handleCallback(type, payload);
}

// The office asks for a password from inside documentLoad, on this thread,
// and loads on once it has the answer: the password, or none to give up.
void OfficeWorker::officeCallback(int type, const char *payload, void *data)
{
    if (type != LOK_CALLBACK_DOCUMENT_PASSWORD || !payload)
        return;
    auto *worker = static_cast<OfficeWorker *>(data);
    QString password;
    const bool given = worker->m_password->ask(worker->m_opening, worker->m_passwordAsks++ > 0, &password);
    const QByteArray utf8 = password.toUtf8();
    worker->m_office->setDocumentPassword(payload, given ? utf8.constData() : nullptr);
}

// Runs on the office's own thread: copy what matters and hand it on, never
// call back into the office from here.
void OfficeWorker::handleCallback(int type, const char *payload)
{
    m_lastCallback = nowMs();
    const QByteArray text(payload ? payload : "");
    switch (type) {
    case LOK_CALLBACK_INVALIDATE_TILES: {
        // "x, y, w, h, part" or "EMPTY, part"
        const QList<QByteArray> parts = text.split(',');
        int part = -1;
        if (parts.value(0).trimmed() == "EMPTY")
            part = parts.size() > 1 ? parts[1].trimmed().toInt() : -1;
        else if (parts.size() > 4)
            part = parts[4].trimmed().toInt();
        emit invalidated(part);
        break;
    }
    case LOK_CALLBACK_INVALIDATE_VISIBLE_CURSOR:
        if (text.startsWith('{'))
            emit cursorChanged(parseRect(QJsonDocument::fromJson(text).object().value(QStringLiteral("rectangle")).toString().toUtf8()));
        else
            emit cursorChanged(parseRect(text));
        break;
    case LOK_CALLBACK_CURSOR_VISIBLE:
        emit cursorVisibleChanged(text == "true");
        break;
    case LOK_CALLBACK_TEXT_SELECTION: {
        QVector<QRect> rects;
        for (const QByteArray &r : text.split(';')) {
            const QRect rect = parseRect(r);
            if (!rect.isEmpty())
                rects.append(rect);
        }
        emit textSelectionChanged(rects);
        break;
    }
    case LOK_CALLBACK_GRAPHIC_SELECTION: {
        emit graphicSelectionChanged(text.startsWith("EMPTY") ? QRect() : parseRect(text));
        break;
    }
    case LOK_CALLBACK_SET_PART:
        emit partChanged(text.trimmed().toInt());
        break;
    case LOK_CALLBACK_DOCUMENT_SIZE_CHANGED:
        emit structureChanged();
        break;
    case LOK_CALLBACK_UNO_COMMAND_RESULT:
        ++m_commandResults;
        break;
    case LOK_CALLBACK_STATE_CHANGED:
        emit stateChanged(text);
        break;
    default:
        break;
    }
}

void OfficeWorker::onInvalidated(int slide)
{
    if (!m_doc)
        return;
    if (slide < 0 || slide == m_current)
        m_slideDirty = true;
    if (slide < 0) {
        m_thumbs.clear();
        for (int i = 0; i < m_slides; ++i)
            m_dirtyThumbs.insert(i);
    } else if (slide < m_slides) {
        m_thumbs.remove(m_ids.value(slide));
        m_dirtyThumbs.insert(slide);
    }
    scheduleRender();
}

void OfficeWorker::onPartChanged(int slide)
{
    if (!m_doc || slide == m_current || slide < 0 || slide >= m_slides)
        return;
    m_current = slide;
    m_slideDirty = true;
    emit documentChanged(m_slides, m_current, m_twips);
    scheduleRender();
}

void OfficeWorker::onStructureChanged()
{
    // The office reports a size change for all sorts of reasons, painting
    // thumbnails among them; only a real change of the slides counts, and a
    // burst of reports is looked at once.
    if (m_structureCheck)
        return;
    m_structureCheck = true;
    QTimer::singleShot(0, this, [this] {
        m_structureCheck = false;
        if (m_doc && (slideIds() != m_ids || documentSize() != m_twips))
            refreshStructure();
    });
}

QStringList OfficeWorker::slideIds() const
{
    QStringList ids;
    const int n = m_doc->getParts();
    for (int i = 0; i < n; ++i)
        ids.append(takeString(m_doc->getPartHash(i)));
    return ids;
}

QSize OfficeWorker::documentSize() const
{
    long w = 0, h = 0;
    m_doc->getDocumentSize(&w, &h);
    return QSize(int(w), int(h));
}

void OfficeWorker::refreshStructure()
{
    const QSize twips = documentSize();
    if (twips != m_twips) {
        m_twips = twips;
        m_doc->setClientVisibleArea(0, 0, twips.width(), twips.height());
        if (!m_viewPixels.isEmpty() && !twips.isEmpty())
            m_doc->setClientZoom(m_viewPixels.width(), m_viewPixels.height(), twips.width(), twips.height());
    }
    m_ids = slideIds();
    m_slides = m_ids.size();
    m_current = m_doc->getPart();
    m_slideDirty = true;
    emit documentChanged(m_slides, m_current, m_twips);
    QList<int> hidden;
    for (int i = 0; i < m_slides; ++i)
        if (m_hiddenIds.contains(m_ids.at(i)))
            hidden.append(i);
    emit hiddenSlidesChanged(hidden);

    // Thumbnails follow their slides to the new places; only slides not
    // seen before are painted. Adding, removing or moving slides ends any
    // editing, so they can be painted right away.
    QHash<QString, QImage> kept;
    m_dirtyThumbs.clear();
    for (int i = 0; i < m_slides; ++i) {
        const auto cached = m_thumbs.constFind(m_ids.at(i));
        if (cached != m_thumbs.constEnd()) {
            kept.insert(m_ids.at(i), *cached);
            emit thumbnailPainted(i, *cached);
        } else {
            m_dirtyThumbs.insert(i);
        }
    }
    m_thumbs = kept;
    render(true);
}

void OfficeWorker::scheduleRender()
{
    if (m_renderScheduled)
        return;
    m_renderScheduled = true;
    QTimer::singleShot(0, this, [this] { render(); });
}

void OfficeWorker::render(bool others)
{
    m_renderScheduled = false;
    if (!m_doc || m_twips.isEmpty())
        return;
    if (m_slideDirty && !m_viewPixels.isEmpty()) {
        m_slideDirty = false;
        // The office does not always write every pixel (valgrind).
        QImage image(m_viewPixels, QImage::Format_ARGB32_Premultiplied);
        image.fill(Qt::white);
        m_doc->paintTile(image.bits(), image.width(), image.height(), 0, 0, m_twips.width(), m_twips.height());
        emit slidePainted(m_current, image);
        if (m_thumbWidth > 0) {
            const QImage thumb = image.scaledToWidth(m_thumbWidth, Qt::SmoothTransformation);
            m_thumbs.insert(m_ids.value(m_current), thumb);
            m_dirtyThumbs.remove(m_current);
            emit thumbnailPainted(m_current, thumb);
        }
    }
    // Painting another slide while a text is being edited draws that text
    // onto it and drops the selection, and whether an edit is under way is
    // known only later from the office's notifications. So other slides are
    // painted only where no edit can be open: after loading, a slide switch
    // or a change of the slides.
    if (!others || m_thumbWidth <= 0 || m_dirtyThumbs.isEmpty())
        return;
    const int thumbHeight = qMax(1, qRound(double(m_thumbWidth) * m_twips.height() / m_twips.width()));
    const QList<int> dirty = m_dirtyThumbs.values();
    m_dirtyThumbs.clear();
    for (int slide : dirty) {
        if (slide < 0 || slide >= m_slides)
            continue;
        QImage thumb(m_thumbWidth, thumbHeight, QImage::Format_ARGB32_Premultiplied);
        thumb.fill(Qt::white);
        m_doc->paintPartTile(thumb.bits(), slide, thumb.width(), thumb.height(), 0, 0, m_twips.width(), m_twips.height());
        m_thumbs.insert(m_ids.value(slide), thumb);
        emit thumbnailPainted(slide, thumb);
    }
}

void OfficeWorker::closeDocument()
{
    if (m_doc) {
        ++m_serial; // callbacks of the old deck are dropped from now on
        m_doc.reset();
    }
    if (!m_snapshot.isEmpty())
        QFile::remove(m_snapshot);
    m_snapshot.clear();
    m_slides = 0;
    m_current = 0;
    m_ids.clear();
    m_hiddenIds.clear();
    m_thumbs.clear();
    m_dirtyThumbs.clear();
}

void OfficeWorker::markInput()
{
    m_inputPending = true;
    m_lastInput = nowMs();
}

void OfficeWorker::drainInput()
{
    if (!m_inputPending || !m_doc)
        return;
    m_inputPending = false;
    const qint64 start = nowMs();
    for (;;) {
        const qint64 now = nowMs();
        if ((now - m_lastInput >= QuietMs && now - m_lastCallback >= QuietMs) || now - start >= DrainLimitMs)
            break;
        QThread::msleep(5);
    }
}

bool OfficeWorker::runCommand(const QByteArray &name, const QByteArray &args)
{
    const int before = m_commandResults.load();
    const qint64 start = nowMs();
    m_lastCallback = start;
    m_doc->postUnoCommand(name.constData(), args.isEmpty() ? nullptr : args.constData(), true);
    // Done when its result arrives; a command that the office declines may
    // send none, so a quiet spell ends the wait as well.
    for (;;) {
        const qint64 now = nowMs();
        if (m_commandResults.load() != before)
            break;
        if (now - m_lastCallback >= 2 * QuietMs || now - start >= CommandLimitMs)
            return false;
        QThread::msleep(2);
    }
    markInput();
    return true;
}
