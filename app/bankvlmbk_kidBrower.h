#pragma once

#include <QTimer>
#include <QUrl>
#include <QWidget>

namespace Ui {
class bankvlmbk_kidBrower;
}
class myWebEngineView;

// The preview window for decks in the online viewer. One instance for the
// whole run; it hides itself when nobody uses it for a while.
class bankvlmbk_kidBrower : public QWidget
{
    Q_OBJECT

public:
    explicit bankvlmbk_kidBrower(QWidget *parent = nullptr);
    ~bankvlmbk_kidBrower() override;

    static bankvlmbk_kidBrower *instance();
    // Deletes the shared window (before the application object goes).
    static void release();
    void openAddress(const QUrl &address);
    myWebEngineView *view() const { return m_view; }
    int hideInterval() const { return m_autoHide.interval(); }
    bool hideTimerActive() const { return m_autoHide.isActive(); }

public slots:
    void upDateclose();
    void on_pushbutton_clicked();

protected:
    bool event(QEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;

private:
    Ui::bankvlmbk_kidBrower *ui;
    myWebEngineView *m_view;
    QTimer m_autoHide;
};
