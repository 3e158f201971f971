#include "FormMainTop.h"
#include "ui_FormMainTop.h"

#include "CurrentUser.h"
#include "Http_access.h"
#include "Widgetmain.h"
#include "loginForm.h"
#include "messageForm.h"

#include <QPainter>
#include <QStyleOption>
#include <QSystemTrayIcon>

namespace {
QIcon moduleIcon(const QString &checkedPicture, const QString &uncheckedPicture)
{
    QIcon icon;
    icon.addPixmap(QPixmap(uncheckedPicture), QIcon::Normal, QIcon::Off);
    icon.addPixmap(QPixmap(checkedPicture), QIcon::Normal, QIcon::On);
    return icon;
}
}

FormMainTop::FormMainTop(QWidget *parent)
    : QWidget(parent), ui(new Ui::FormMainTop)
{
    ui->setupUi(this);
    ui->pushButton_Normal->hide();
    ui->pushButton->setIcon(moduleIcon(":/png5/kejianluru/testInputW.png", ":/png5/kejianluru/testInputG.png"));
    ui->pushButton_2->setIcon(moduleIcon(":/png5/kejianluru/classInputW.png", ":/png5/kejianluru/classInputG.png"));
    ui->pushButton_3->setIcon(moduleIcon(":/png5/kejianluru/msInputW.png", ":/png5/kejianluru/msInputG.png"));
    ui->pushButton_4->setIcon(moduleIcon(":/png2/class4b.png", ":/png2/class4.png"));
    ui->pushButton->setChecked(true);
}

FormMainTop::~FormMainTop()
{
    delete ui;
}

QList<QPushButton *> FormMainTop::moduleButtons() const
{
    return {ui->pushButton, ui->pushButton_2, ui->pushButton_3, ui->pushButton_4};
}

void FormMainTop::setUserName(const QString &name)
{
    ui->label_name->setText(QStringLiteral("<html><head/><body><p><span style=\" color:#ffffff;\">%1</span></p></body></html>")
                                .arg(name.toHtmlEscaped()));
}

QString FormMainTop::userNameText() const
{
    return ui->label_name->text();
}

void FormMainTop::resetToFirstModule()
{
    const auto buttons = moduleButtons();
    for (int i = 0; i < buttons.size(); ++i)
        buttons[i]->setChecked(i == 0);
    if (mainWindow)
        mainWindow->switchPage(0);
}

void FormMainTop::moduleClicked(int index, bool checked)
{
    const auto buttons = moduleButtons();
    if (!checked) {
        // The active module cannot be switched off.
        buttons[index]->setChecked(true);
        return;
    }
    for (int i = 0; i < buttons.size(); ++i)
        if (i != index)
            buttons[i]->setChecked(false);
    if (mainWindow)
        mainWindow->switchPage(index);
}

void FormMainTop::on_pushButton_clicked(bool checked) { moduleClicked(0, checked); }
void FormMainTop::on_pushButton_2_clicked(bool checked) { moduleClicked(1, checked); }
void FormMainTop::on_pushButton_3_clicked(bool checked) { moduleClicked(2, checked); }
void FormMainTop::on_pushButton_4_clicked(bool checked) { moduleClicked(3, checked); }

void FormMainTop::on_pushButton_Outlog_clicked(bool)
{
    pendingAction = 2;
    auto *confirm = new messageForm(2, nullptr);
    confirm->setMessage(QStringLiteral("确定要退出此账号吗？"));
    confirm->show();
    connect(confirm, &messageForm::shootMessage, this, &FormMainTop::shootClose);
    confirm->setGeometry(mainWindow ? QRect(mainWindow->mapToGlobal(contentRect.topLeft()), contentRect.size())
                                    : contentRect);
}

void FormMainTop::shootClose()
{
    if (pendingAction != 2)
        return;
    CurrentUser::name = QStringLiteral("临时用户");
    CurrentUser::token.clear();
    setUserName(CurrentUser::name);
    if (!mainWindow)
        return;
    mainWindow->userNameOnLogout = CurrentUser::name;

    auto *login = new loginForm(nullptr);
    Http_access::instance()->loginWindow = login;
    Http_access::instance()->mainWindow = mainWindow;
    mainWindow->setLoginWindow(login);
    login->prepareRelogin();
    login->show();
    mainWindow->resetVideoEditor();
}

void FormMainTop::on_pushButton_Help_clicked()
{
    if (mainWindow)
        mainWindow->openHelpCentre();
}

void FormMainTop::on_pushButton_Minim_clicked()
{
    if (mainWindow)
        mainWindow->setWindowState(Qt::WindowMinimized);
}

void FormMainTop::on_pushButton_X_clicked()
{
    if (!mainWindow)
        return;
    if (QSystemTrayIcon::isSystemTrayAvailable()) {
        // A tool window leaves the screen and the taskbar; the tray brings it back.
        mainWindow->setWindowFlags(Qt::Tool);
    } else {
        // Without a tray nothing could bring a hidden window back.
        mainWindow->setWindowState(Qt::WindowMinimized);
    }
}

void FormMainTop::resizeEvent(QResizeEvent *event)
{
    QWidget::resizeEvent(event);
    setUserName(CurrentUser::name);
    ui->widget_Button->move(ui->labelLMX_Icon->width() + 50, 12);
    ui->widgetName->move(width() - ui->widgetName->width(), 0);
}

void FormMainTop::paintEvent(QPaintEvent *)
{
    // Lets the style sheet's gradient paint on a plain widget subclass.
    QStyleOption opt;
    opt.initFrom(this);
    QPainter p(this);
    style()->drawPrimitive(QStyle::PE_Widget, &opt, &p, this);
}
