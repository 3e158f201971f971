#include "VideoOutput.h"

#include "GLVideoWidget.h"
#include "SoftwareVideoWidget.h"

#include <QEvent>
#include <QGuiApplication>
#include <QOffscreenSurface>
#include <QOpenGLContext>
#include <QOpenGLFramebufferObject>
#include <QOpenGLFunctions>
#include <QWidget>
#include <cstdlib>
#include <cstring>
#include <mpv/render.h>
#include <mpv/render_gl.h>

namespace {
void *glProcAddress(void *, const char *name)
{
    QOpenGLContext *ctx = QOpenGLContext::currentContext();
    return ctx ? reinterpret_cast<void *>(ctx->getProcAddress(QByteArray(name))) : nullptr;
}

// The software renderer wants 64-byte aligned rows.
QImage alignedImage(const QSize &size)
{
    const qsizetype stride = (qsizetype(size.width()) * 4 + 63) & ~qsizetype(63);
    void *data = std::aligned_alloc(64, size_t(stride) * size_t(size.height()));
    if (!data)
        return QImage();
    std::memset(data, 0, size_t(stride) * size_t(size.height()));
    return QImage(static_cast<uchar *>(data), size.width(), size.height(), int(stride),
                  QImage::Format_RGBX8888, [](void *p) { std::free(p); }, data);
}

VideoOutput::Backend chooseBackend(VideoOutput::Backend wanted)
{
    if (wanted != VideoOutput::Automatic)
        return wanted;
    const QByteArray forced = qgetenv("LUMEXA_VIDEO_BACKEND");
    if (forced == "software")
        return VideoOutput::Software;
    if (forced == "opengl")
        return VideoOutput::OpenGL;
    return VideoOutput::openGLAvailable() ? VideoOutput::OpenGL : VideoOutput::Software;
}
}

VideoOutput::VideoOutput(QObject *parent)
    : VideoOutput(Automatic, parent)
{
}

VideoOutput::VideoOutput(Backend backend, QObject *parent)
    : QObject(parent)
    , m_backend(chooseBackend(backend))
{
    QWidget *parentWidget = qobject_cast<QWidget *>(parent);
    QWidget *w = nullptr;
    if (m_backend == OpenGL)
        w = m_glWidget = new GLVideoWidget(parentWidget);
    else
        w = m_swWidget = new SoftwareVideoWidget(parentWidget);
    w->setObjectName(QStringLiteral("videoSurface"));
    w->setMinimumSize(16, 16);
    w->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
    w->installEventFilter(this);
}

VideoOutput::~VideoOutput()
{
    detach();
    delete widget();
}

QWidget *VideoOutput::widget() const
{
    if (m_backend == OpenGL)
        return m_glWidget.data();
    return m_swWidget.data();
}

bool VideoOutput::openGLAvailable()
{
    static int available = -1;
    if (available >= 0)
        return available == 1;
    available = 0;
    const QString platform = QGuiApplication::platformName();
    if (platform == QLatin1String("offscreen") || platform == QLatin1String("minimal"))
        return false;
    QOpenGLContext *share = QOpenGLContext::globalShareContext();
    if (!share)
        return false;
    QOpenGLContext ctx;
    ctx.setShareContext(share);
    if (!ctx.create())
        return false;
    QOffscreenSurface surface;
    surface.setFormat(ctx.format());
    surface.create();
    if (!surface.isValid() || !ctx.makeCurrent(&surface))
        return false;
    ctx.doneCurrent();
    available = 1;
    return true;
}

bool VideoOutput::attach(mpv_handle *mpv)
{
    detach();
    mpv_render_param params[3] = {};
    mpv_opengl_init_params glInit{&glProcAddress, nullptr};
    params[0].type = MPV_RENDER_PARAM_API_TYPE;
    if (m_backend == OpenGL) {
        if (!createGL())
            return false;
        params[0].data = const_cast<char *>(MPV_RENDER_API_TYPE_OPENGL);
        params[1] = {MPV_RENDER_PARAM_OPENGL_INIT_PARAMS, &glInit};
    } else {
        params[0].data = const_cast<char *>(MPV_RENDER_API_TYPE_SW);
    }
    const int rc = mpv_render_context_create(&m_render, mpv, params);
    if (m_context)
        m_context->doneCurrent();
    if (rc < 0) {
        qWarning("video output: cannot create the render context: %s", mpv_error_string(rc));
        m_render = nullptr;
        return false;
    }
    mpv_render_context_set_update_callback(m_render, &VideoOutput::renderUpdate, this);
    return true;
}

bool VideoOutput::createGL()
{
    if (!m_context) {
        m_context = new QOpenGLContext(this);
        m_context->setShareContext(QOpenGLContext::globalShareContext());
        if (!m_context->create()) {
            qWarning("video output: cannot create an OpenGL context");
            return false;
        }
        m_surface = new QOffscreenSurface(nullptr, this);
        m_surface->setFormat(m_context->format());
        m_surface->create();
    }
    if (!m_context->makeCurrent(m_surface)) {
        qWarning("video output: cannot use the OpenGL context");
        return false;
    }
    return true;
}

void VideoOutput::detach()
{
    if (!m_render)
        return;
    // OpenGL resources are freed in the context they were made in.
    if (m_context)
        m_context->makeCurrent(m_surface);
    mpv_render_context_free(m_render);
    m_render = nullptr;
    delete m_fbo;
    m_fbo = nullptr;
    if (m_context)
        m_context->doneCurrent();
    clearFrame();
}

void VideoOutput::clearFrame()
{
    m_hasFrame = false;
    if (m_glWidget)
        m_glWidget->setFrameTexture(0);
    if (m_swWidget)
        m_swWidget->setFrame(QImage());
}

void VideoOutput::renderUpdate(void *ctx)
{
    // A libmpv thread: hand over to the GUI thread, once per batch.
    auto *self = static_cast<VideoOutput *>(ctx);
    if (self->m_updateQueued.testAndSetOrdered(0, 1))
        QMetaObject::invokeMethod(self, "onRenderUpdate", Qt::QueuedConnection);
}

void VideoOutput::onRenderUpdate()
{
    m_updateQueued.storeRelease(0);
    if (!m_render)
        return;
    if (m_context && !m_context->makeCurrent(m_surface))
        return;
    const uint64_t flags = mpv_render_context_update(m_render);
    if (m_context)
        m_context->doneCurrent();
    if (flags & MPV_RENDER_UPDATE_FRAME)
        render();
}

QSize VideoOutput::targetSize() const
{
    QWidget *w = widget();
    if (!w)
        return QSize(16, 16);
    const QSize s = w->size() * w->devicePixelRatioF();
    return s.expandedTo(QSize(16, 16));
}

void VideoOutput::render()
{
    if (!m_render)
        return;
    const QSize size = targetSize();
    if (m_backend == OpenGL)
        renderGL(size);
    else
        renderSoftware(size);
    m_hasFrame = true;
    ++m_frames;
    emit frameRendered();
}

void VideoOutput::renderGL(const QSize &size)
{
    if (!m_context->makeCurrent(m_surface))
        return;
    if (!m_fbo || m_fbo->size() != size) {
        delete m_fbo;
        m_fbo = new QOpenGLFramebufferObject(size);
    }
    mpv_opengl_fbo fbo{int(m_fbo->handle()), size.width(), size.height(), 0};
    int flipY = 0;
    mpv_render_param params[] = {
        {MPV_RENDER_PARAM_OPENGL_FBO, &fbo},
        {MPV_RENDER_PARAM_FLIP_Y, &flipY},
        {MPV_RENDER_PARAM_INVALID, nullptr},
    };
    mpv_render_context_render(m_render, params);
    // The widget's context reads the texture next; make the commands land.
    m_context->functions()->glFlush();
    m_context->doneCurrent();
    if (m_glWidget)
        m_glWidget->setFrameTexture(m_fbo->texture());
}

void VideoOutput::renderSoftware(const QSize &size)
{
    if (m_image.size() != size) {
        m_image = alignedImage(size);
        if (m_swWidget)
            m_image.setDevicePixelRatio(m_swWidget->devicePixelRatioF());
    }
    if (m_image.isNull())
        return;
    int sz[2] = {size.width(), size.height()};
    size_t stride = size_t(m_image.bytesPerLine());
    mpv_render_param params[] = {
        {MPV_RENDER_PARAM_SW_SIZE, sz},
        {MPV_RENDER_PARAM_SW_FORMAT, const_cast<char *>("rgb0")},
        {MPV_RENDER_PARAM_SW_STRIDE, &stride},
        // constBits(): the widget shares this image; bits() would copy it.
        {MPV_RENDER_PARAM_SW_POINTER, const_cast<uchar *>(m_image.constBits())},
        {MPV_RENDER_PARAM_INVALID, nullptr},
    };
    mpv_render_context_render(m_render, params);
    if (m_swWidget)
        m_swWidget->setFrame(m_image);
}

bool VideoOutput::eventFilter(QObject *watched, QEvent *event)
{
    // Redraw the current frame at the new size.
    if (event->type() == QEvent::Resize && watched == widget() && m_hasFrame)
        QMetaObject::invokeMethod(this, "render", Qt::QueuedConnection);
    return QObject::eventFilter(watched, event);
}
