#include "GLVideoWidget.h"

#include <QOpenGLContext>

GLVideoWidget::GLVideoWidget(QWidget *parent)
    : QOpenGLWidget(parent)
{
    setAttribute(Qt::WA_OpaquePaintEvent);
}

GLVideoWidget::~GLVideoWidget()
{
    releaseGL();
}

void GLVideoWidget::setFrameTexture(unsigned texture)
{
    m_texture = texture;
    update();
}

void GLVideoWidget::initializeGL()
{
    initializeOpenGLFunctions();
    m_blitter.create();
    // The context goes away when the widget moves to another window.
    connect(context(), &QOpenGLContext::aboutToBeDestroyed, this, &GLVideoWidget::releaseGL,
            Qt::UniqueConnection);
}

void GLVideoWidget::releaseGL()
{
    if (!m_blitter.isCreated())
        return;
    makeCurrent();
    m_blitter.destroy();
    doneCurrent();
}

void GLVideoWidget::paintGL()
{
    glClearColor(0.f, 0.f, 0.f, 1.f);
    glClear(GL_COLOR_BUFFER_BIT);
    if (!m_texture || !m_blitter.isCreated())
        return;
    const QRect viewport(QPoint(0, 0), size() * devicePixelRatioF());
    m_blitter.bind();
    m_blitter.blit(m_texture, QOpenGLTextureBlitter::targetTransform(viewport, viewport),
                   QOpenGLTextureBlitter::OriginTopLeft);
    m_blitter.release();
}
