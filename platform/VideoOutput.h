#pragma once

#include <QImage>
#include <QObject>
#include <QPointer>
#include <QSize>
#include <QAtomicInt>

class QOpenGLContext;
class QOpenGLFramebufferObject;
class QOffscreenSurface;
class QWidget;
class GLVideoWidget;
class SoftwareVideoWidget;
struct mpv_handle;
struct mpv_render_context;

// The picture of a MediaPlayer. libmpv renders each new frame on the GUI
// thread, either with OpenGL into a texture that a QOpenGLWidget shows, or
// with its software renderer into an image that a plain widget paints. OpenGL
// is used where a context can be made; offscreen (headless) runs get the
// software path. Frames are rendered whether or not the widget is visible, so
// that playback never waits for a hidden surface.
class VideoOutput : public QObject
{
    Q_OBJECT

public:
    enum Backend { Automatic, OpenGL, Software };
    Q_ENUM(Backend)

    // A QWidget parent becomes the parent of widget().
    explicit VideoOutput(QObject *parent = nullptr);
    explicit VideoOutput(Backend backend, QObject *parent = nullptr);
    ~VideoOutput() override;

    QWidget *widget() const;
    Backend backend() const { return m_backend; }
    int framesRendered() const { return m_frames; }

    // Whether an OpenGL context can be made here (probed once). The
    // environment variable LUMEXA_VIDEO_BACKEND=software|opengl overrides it.
    static bool openGLAvailable();

signals:
    void frameRendered();

private slots:
    void onRenderUpdate();
    void render();

private:
    friend class MediaPlayer;
    // Called by the player that renders here.
    bool attach(mpv_handle *mpv);
    void detach();
    void clearFrame();

    bool eventFilter(QObject *watched, QEvent *event) override;
    static void renderUpdate(void *ctx);
    bool createGL();
    bool createSoftware();
    QSize targetSize() const;
    void renderGL(const QSize &size);
    void renderSoftware(const QSize &size);

    Backend m_backend = Software;
    QPointer<GLVideoWidget> m_glWidget;
    QPointer<SoftwareVideoWidget> m_swWidget;
    mpv_render_context *m_render = nullptr;
    QAtomicInt m_updateQueued;
    bool m_hasFrame = false;
    int m_frames = 0;

    // OpenGL path: a context of our own, shared with the widget's.
    QOpenGLContext *m_context = nullptr;
    QOffscreenSurface *m_surface = nullptr;
    QOpenGLFramebufferObject *m_fbo = nullptr;
    // Software path.
    QImage m_image;
};
