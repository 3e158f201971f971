#include "bankShareShadow.h"
#include "ui_bankShareShadow.h"

#include <QGraphicsOpacityEffect>

bankShareShadow::bankShareShadow(QWidget *parent)
    : QWidget(parent), ui(new Ui::bankShareShadow)
{
    ui->setupUi(this);
    setAttribute(Qt::WA_StyledBackground);
    m_effect = new QGraphicsOpacityEffect(this);
    m_effect->setOpacity(1.0);
    setGraphicsEffect(m_effect);

    m_hold.setParent(this);
    m_hold.setSingleShot(true);
    connect(&m_hold, &QTimer::timeout, this, &bankShareShadow::handleTimeout);
    m_fade.setParent(this);
    m_fade.setTimerType(Qt::PreciseTimer);
    connect(&m_fade, &QTimer::timeout, this, &bankShareShadow::fadeStep);
    hide();
}

bankShareShadow::~bankShareShadow()
{
    delete ui;
}

void bankShareShadow::showNotice(int value)
{
    m_value = value;
    // A fade still running from an earlier notice would cut this one short.
    m_fade.stop();
    m_opacity = 1.0;
    m_effect->setOpacity(m_opacity);
    show();
    raise();
    m_hold.start(HoldMs);
}

void bankShareShadow::handleTimeout()
{
    update();
    m_hold.stop();
    m_fade.start(FadeStepMs);
}

void bankShareShadow::fadeStep()
{
    m_opacity -= 0.2;
    m_effect->setOpacity(qMax<qreal>(0.0, m_opacity));
    if (m_opacity >= 0.1)
        return;
    m_fade.stop();
    m_opacity = 1.0;
    m_effect->setOpacity(m_opacity);
    // Hidden from outside meanwhile: nothing faded out to report.
    const bool wasShown = isVisible();
    hide();
    if (wasShown)
        emit shootHide(m_value);
}
