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
    // The platform's host under either scheme: a redirect from http to
    // https (or back) keeps its pages working. Under its own scheme the port
    // is the web base's; under the other one that port or the scheme's own.
    const QUrl web(BaseAddress::web());
    const QString scheme = origin.scheme();
    if ((scheme != QLatin1String("http") && scheme != QLatin1String("https")) || origin.host() != web.host())
        return false;
    auto standardPort = [](const QString &s) { return s == QLatin1String("https") ? 443 : 80; };
    const int webPort = web.port(standardPort(web.scheme()));
    const int port = origin.port(standardPort(scheme));
    return port == webPort || (scheme != web.scheme() && port == standardPort(scheme));
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
