#pragma once

#include <QOpenGLFunctions>
#include <QOpenGLTextureBlitter>
#include <QOpenGLWidget>

// Shows the frame texture that VideoOutput renders in its own, shared context.
class GLVideoWidget : public QOpenGLWidget, protected QOpenGLFunctions
{
    Q_OBJECT

public:
    explicit GLVideoWidget(QWidget *parent = nullptr);
    ~GLVideoWidget() override;

    // A texture of the shared context holding the frame (top row first), or
    // 0 for none.
    void setFrameTexture(unsigned texture);

protected:
    void initializeGL() override;
    void paintGL() override;

private:
    void releaseGL();

    QOpenGLTextureBlitter m_blitter;
    unsigned m_texture = 0;
};
