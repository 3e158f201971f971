#pragma once

#include <QWebEnginePage>

// The multi-terminal view's page: grants the platform's own pages the
// features they ask for (camera, microphone, screen capture for speeches).
class WebEnginePage : public QWebEnginePage
{
    Q_OBJECT

public:
    explicit WebEnginePage(QObject *parent = nullptr);
    // True for origins of the platform's web site.
    static bool isPlatformOrigin(const QUrl &origin);

public slots:
    void onFeaturePermissionRequested(const QUrl &securityOrigin, QWebEnginePage::Feature feature);
    void loadOK(bool ok);
};
