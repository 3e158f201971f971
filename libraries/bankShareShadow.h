#pragma once

#include <QTimer>
#include <QWidget>

namespace Ui {
class bankShareShadow;
}
class QGraphicsOpacityEffect;

// The "nothing found" notice that the own-resource lists lay over their
// tiles: a dimmed area with a centred strip of text that stays for two
// seconds and then fades out by itself.
class bankShareShadow : public QWidget
{
    Q_OBJECT

public:
    explicit bankShareShadow(QWidget *parent = nullptr);
    ~bankShareShadow() override;

    // Shows the notice at full opacity for its two seconds; value comes back
    // with shootHide once the notice has faded out.
    void showNotice(int value);

    qreal opacity() const { return m_opacity; }
    int value() const { return m_value; }
    bool holding() const { return m_hold.isActive(); }
    bool fading() const { return m_fade.isActive(); }

    static const int HoldMs = 2000;
    static const int FadeStepMs = 10;

signals:
    // The notice faded out and hid itself.
    void shootHide(int value);

public slots:
    void handleTimeout();

private:
    void fadeStep();

    Ui::bankShareShadow *ui;
    QGraphicsOpacityEffect *m_effect = nullptr;
    QTimer m_hold;
    QTimer m_fade;
    qreal m_opacity = 1.0;
    int m_value = 1;
};
