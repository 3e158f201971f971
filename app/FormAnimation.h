#pragma once

#include <QMovie>
#include <QWidget>

class QLabel;
class QProgressBar;
class QPushButton;

namespace Ui {
class FormAnimation;
}

// The busy overlay ("保存中...") shown over the content area while a long
// operation runs. One instance, owned by the main window.
class FormAnimation : public QWidget
{
    Q_OBJECT

public:
    explicit FormAnimation(QWidget *parent = nullptr);
    ~FormAnimation() override;

    // The process-wide overlay; null until the main window made it.
    static FormAnimation *instance();
    // Shows or hides the process-wide overlay when there is one.
    static void showBusyOverlay();
    static void hideBusyOverlay();

    void showBusy();
    void hideBusy();
    void placeBusy(int x, int y);
    void replaceBusy();

    // A bar with a line of text and 取消 under the busy picture, for work
    // whose progress is known (a cut, an upload). Hidden again by hideBusy.
    void showProgress(int percent, const QString &text);
    void hideProgress();
    bool progressShown() const;
    int progressValue() const;
    QString progressText() const;

signals:
    // 取消 was pressed; whoever runs the work ends it.
    void cancelRequested();

protected:
    void resizeEvent(QResizeEvent *event) override;
    void paintEvent(QPaintEvent *event) override;

private:
    void centrePicture();
    void putTextUnderPicture();
    void placeProgress();

    Ui::FormAnimation *ui;
    QMovie movie;
    int placedX = 0;
    int placedY = 0;
    QWidget *progressPanel = nullptr;
    QProgressBar *progressBar = nullptr;
    QLabel *progressLabel = nullptr;
    QPushButton *cancelButton = nullptr;
};
