#pragma once

#include <QWebEngineView>

// The preview window's browser view.
class myWebEngineView : public QWebEngineView
{
    Q_OBJECT

public:
    using QWebEngineView::QWebEngineView;
};
