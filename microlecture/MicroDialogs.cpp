#include "MicroDialogs.h"

#include "FormAnimation.h"
#include "Http_access.h"
#include "Widgetmain.h"
#include "messageForm.h"

#include <QGuiApplication>
#include <QScreen>

QRect MicroDialogs::contentArea(const QWidget *context)
{
    Widgetmain *main = Http_access::instance()->mainWindow;
    if (main && contentRect.isValid())
        return QRect(main->mapToGlobal(contentRect.topLeft()), contentRect.size());
    if (context && context->window()->isVisible())
        return context->window()->geometry();
    if (contentRect.isValid())
        return contentRect;
    QScreen *screen = QGuiApplication::primaryScreen();
    return screen ? screen->availableGeometry() : QRect(0, 0, 1280, 720);
}

messageForm *MicroDialogs::showMessage(const QString &text, const QWidget *context)
{
    auto *m = new messageForm(0, nullptr);
    m->setMessage(text);
    m->show();
    m->setGeometry(contentArea(context));
    return m;
}

FormAnimation *MicroDialogs::busyOverlay(QWidget *context)
{
    if (FormAnimation *overlay = FormAnimation::instance())
        return overlay;
    QWidget *host = Http_access::instance()->mainWindow;
    if (!host && context)
        host = context->window();
    if (!host)
        return nullptr;
    auto *overlay = new FormAnimation(host);
    overlay->resize(windowSize.isValid() ? windowSize : (host ? host->size() : QSize(1280, 720)));
    overlay->hide();
    return overlay;
}
