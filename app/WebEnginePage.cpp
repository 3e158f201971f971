#include "WebEnginePage.h"

#include "BaseAddress.h"

#include <QDebug>

WebEnginePage::WebEnginePage(QObject *parent)
    : QWebEnginePage(parent)
{
    connect(this, &QWebEnginePage::loadFinished, this, &WebEnginePage::loadOK);
}

bool WebEnginePage::isPlatformOrigin(const QUrl &origin)
{
    const QUrl web(BaseAddress::web());
    return origin.scheme() == web.scheme() && origin.host() == web.host()
           && origin.port(web.scheme() == "https" ? 443 : 80) == web.port(web.scheme() == "https" ? 443 : 80);
}

void WebEnginePage::onFeaturePermissionRequested(const QUrl &securityOrigin, QWebEnginePage::Feature feature)
{
    // Camera, microphone and the screen belong to the teacher: only the
    // platform's own pages get them.
    const bool grant = isPlatformOrigin(securityOrigin);
    qDebug() << "feature permission" << securityOrigin << feature << (grant ? "granted" : "refused");
    setFeaturePermission(securityOrigin, feature,
                         grant ? QWebEnginePage::PermissionGrantedByUser : QWebEnginePage::PermissionDeniedByUser);
}

void WebEnginePage::loadOK(bool ok)
{
    qDebug() << "multi-terminal page loaded" << ok;
}
