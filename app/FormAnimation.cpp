#include "FormAnimation.h"
#include "ui_FormAnimation.h"

#include <QLabel>
#include <QPainter>
#include <QPointer>
#include <QProgressBar>
#include <QPushButton>
#include <QVBoxLayout>

namespace {
QPointer<FormAnimation> g_overlay;
}

FormAnimation::FormAnimation(QWidget *parent)
    : QWidget(parent), ui(new Ui::FormAnimation), movie(QStringLiteral(":/gif/gif/move03.gif"))
{
    ui->setupUi(this);
    ui->label->setMovie(&movie);
    ui->label->resize(300, 300);
    if (!g_overlay)
        g_overlay = this;

    progressPanel = new QWidget(this);
    progressPanel->setObjectName(QStringLiteral("widget_progress"));
    progressPanel->setFixedSize(380, 124);
    // Opaque, so that the page under the overlay does not show through the text.
    progressPanel->setAttribute(Qt::WA_StyledBackground);
    progressPanel->setStyleSheet(QStringLiteral("#widget_progress { background-color: #FFFFFF; border-radius: 6px; }"));
    auto *column = new QVBoxLayout(progressPanel);
    column->setContentsMargins(16, 12, 16, 12);
    column->setSpacing(8);
    progressBar = new QProgressBar(progressPanel);
    progressBar->setObjectName(QStringLiteral("progressBar"));
    progressBar->setRange(0, 100);
    progressBar->setTextVisible(false);
    progressBar->setFixedHeight(10);
    progressBar->setStyleSheet(QStringLiteral(
        "QProgressBar { border: none; border-radius: 5px; background-color: #DDDDDD; }"
        "QProgressBar::chunk { border-radius: 5px; background-color: #03804B; }"));
    progressLabel = new QLabel(progressPanel);
    progressLabel->setObjectName(QStringLiteral("label_progress"));
    progressLabel->setAlignment(Qt::AlignCenter);
    progressLabel->setStyleSheet(QStringLiteral("color: #181818; font: 15px \"微软雅黑\";"));
    cancelButton = new QPushButton(QStringLiteral("取消"), progressPanel);
    cancelButton->setObjectName(QStringLiteral("pushButton_cancel"));
    cancelButton->setFixedSize(100, 32);
    cancelButton->setCursor(Qt::PointingHandCursor);
    cancelButton->setStyleSheet(QStringLiteral(
        "QPushButton { color: #03804B; font: 15px \"微软雅黑\"; background-color: #FFFFFF;"
        " border: 1px solid #03804B; border-radius: 4px; } QPushButton:hover { background-color: #E8F4EE; }"));
    column->addWidget(progressBar);
    column->addWidget(progressLabel);
    column->addWidget(cancelButton, 0, Qt::AlignHCenter);
    progressPanel->hide();
    connect(cancelButton, &QPushButton::clicked, this, &FormAnimation::cancelRequested);
}

FormAnimation::~FormAnimation()
{
    delete ui;
}

FormAnimation *FormAnimation::instance()
{
    return g_overlay;
}

void FormAnimation::showBusyOverlay()
{
    if (g_overlay)
        g_overlay->showBusy();
}

void FormAnimation::hideBusyOverlay()
{
    if (g_overlay)
        g_overlay->hideBusy();
}

void FormAnimation::showBusy()
{
    show();
    raise();
    movie.start();
}

void FormAnimation::hideBusy()
{
    hideProgress();
    centrePicture();
    putTextUnderPicture();
    hide();
    movie.stop();
}

void FormAnimation::placeBusy(int x, int y)
{
    ui->label->move(x, y);
    putTextUnderPicture();
    placedX = x;
    placedY = y;
}

void FormAnimation::replaceBusy()
{
    if (placedX != 0 || placedY != 0)
        placeBusy(placedX, placedY);
}

void FormAnimation::showProgress(int percent, const QString &text)
{
    progressBar->setValue(qBound(0, percent, 100));
    progressLabel->setText(text);
    placeProgress();
    progressPanel->show();
    progressPanel->raise();
}

void FormAnimation::hideProgress()
{
    progressPanel->hide();
}

bool FormAnimation::progressShown() const
{
    return progressPanel->isVisibleTo(this);
}

int FormAnimation::progressValue() const
{
    return progressBar->value();
}

QString FormAnimation::progressText() const
{
    return progressLabel->text();
}

void FormAnimation::placeProgress()
{
    if (!progressPanel)
        return;
    const QRect text = ui->label_save->geometry();
    progressPanel->move(text.center().x() - progressPanel->width() / 2, text.bottom() + 1 + 12);
}

void FormAnimation::centrePicture()
{
    ui->label->move((width() - ui->label->width()) / 2, (height() - ui->label->height()) / 2);
}

void FormAnimation::putTextUnderPicture()
{
    const QRect pic = ui->label->geometry();
    ui->label_save->move(pic.center().x() - ui->label_save->width() / 2, pic.bottom() + 1 + 20);
    placeProgress();
}

void FormAnimation::resizeEvent(QResizeEvent *event)
{
    QWidget::resizeEvent(event);
    centrePicture();
    movie.start();
    putTextUnderPicture();
}

void FormAnimation::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    p.fillRect(rect(), QColor(255, 255, 255, 128));
}
