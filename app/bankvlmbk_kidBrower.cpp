#include "bankvlmbk_kidBrower.h"
#include "ui_bankvlmbk_kidBrower.h"

#include "myWebEngineView.h"

#include <QCoreApplication>
#include <QPointer>

bankvlmbk_kidBrower::bankvlmbk_kidBrower(QWidget *parent)
    : QWidget(parent), ui(new Ui::bankvlmbk_kidBrower)
{
    ui->setupUi(this);
    setWindowFlags(Qt::WindowFlags(0x813));
    m_view = new myWebEngineView(ui->widget);
    m_view->setGeometry(ui->widget->rect());
    m_autoHide.setSingleShot(true);
    connect(&m_autoHide, &QTimer::timeout, this, &bankvlmbk_kidBrower::upDateclose);
}

bankvlmbk_kidBrower::~bankvlmbk_kidBrower()
{
    delete ui;
}

namespace {
QPointer<bankvlmbk_kidBrower> g_preview;
}

bankvlmbk_kidBrower *bankvlmbk_kidBrower::instance()
{
    if (!g_preview) {
        g_preview = new bankvlmbk_kidBrower;
        // Its page must go before the web engine's profile does.
        QObject::connect(qApp, &QCoreApplication::aboutToQuit, qApp, &bankvlmbk_kidBrower::release);
    }
    return g_preview;
}

void bankvlmbk_kidBrower::release()
{
    delete g_preview.data();
}

void bankvlmbk_kidBrower::openAddress(const QUrl &address)
{
    activateWindow();
    setMouseTracking(true);
    m_view->setMouseTracking(true);
    m_view->load(address);
    m_autoHide.start(20000);
}

void bankvlmbk_kidBrower::upDateclose()
{
    m_autoHide.stop();
    hide();
    m_view->setMouseTracking(false);
    setMouseTracking(false);
}

void bankvlmbk_kidBrower::on_pushbutton_clicked()
{
    hide();
}

bool bankvlmbk_kidBrower::event(QEvent *event)
{
    // Use keeps the window up for another ten seconds. Only input counts:
    // showing and painting would otherwise cut the first twenty seconds short.
    switch (event->type()) {
    case QEvent::MouseMove:
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonRelease:
    case QEvent::Wheel:
    case QEvent::KeyPress:
        if (isVisible())
            m_autoHide.start(10000);
        break;
    default:
        break;
    }
    return QWidget::event(event);
}

void bankvlmbk_kidBrower::resizeEvent(QResizeEvent *event)
{
    QWidget::resizeEvent(event);
    ui->widget->setGeometry(5, 38, width() - 10, height() - 43);
    ui->pushbutton->move(width() - 40, 5);
    m_view->setGeometry(ui->widget->rect());
}
