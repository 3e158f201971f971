#include "NetworkNotice.h"

#include "messageForm.h"

namespace {
QPointer<messageForm> g_notice;
}

messageForm *NetworkNotice::current()
{
    return g_notice && g_notice->isVisible() ? g_notice.data() : nullptr;
}

messageForm *NetworkNotice::show(const QString &text, bool smallText)
{
    if (messageForm *up = current())
        return up;
    auto *m = new messageForm(0, nullptr);
    if (smallText)
        m->useSmallText();
    m->setMessage(text);
    m->show();
    g_notice = m;
    return m;
}
