#include "FormSupportKids.h"
#include "ui_FormSupportKids.h"

#include "BaseAddress.h"
#include "MyLabels.h"

#include <QPushButton>

FormSupportKids::FormSupportKids(QWidget *parent)
    : QWidget(parent), ui(new Ui::FormSupportKids)
{
    ui->setupUi(this);
    setAttribute(Qt::WA_StyledBackground);
    ui->scrollArea->hide();
}

FormSupportKids::~FormSupportKids()
{
    delete ui;
}

QString FormSupportKids::folded(const QString &text)
{
    return text.left(70) + QStringLiteral("...");
}

void FormSupportKids::setItem(const HelpItem &item)
{
    m_item = item;
    ui->labelTitle->setText(item.title);
    if (item.content.size() < 71) {
        ui->labelText->setText(item.content);
        ui->pushButton->hide();
    } else {
        ui->labelText->setText(folded(item.content));
    }
    for (const QString &path : item.files) {
        const QString address = BaseAddress::doc() + path;
        if (path.contains(QStringLiteral(".mp4"))) {
            m_videos << address;
            auto *play = new QPushButton(QIcon(QStringLiteral(":/png7/weikeluru/videoptn.png")),
                                         QStringLiteral("观看视频"), ui->scrollAreaWidgetContents);
            play->setObjectName(QStringLiteral("pushButton_video"));
            play->setCursor(Qt::PointingHandCursor);
            play->setFixedHeight(100);
            play->setIconSize(QSize(36, 36));
            play->setStyleSheet(QStringLiteral("QPushButton { color: #03804B; font: 14px \"微软雅黑\"; background: #EAF4EF; border-radius: 6px; padding: 0 16px; }"));
            connect(play, &QPushButton::clicked, this, [this, address] { emit shootVideo(address); });
            ui->horizontalLayout_scrollArea->addWidget(play);
            ui->scrollArea->show();
        } else if (path.contains(QStringLiteral(".jpg")) || path.contains(QStringLiteral(".png"))
                   || path.contains(QStringLiteral(".jpeg"))) {
            auto *picture = new MyLabels(ui->scrollAreaWidgetContents);
            picture->load(QUrl(address));
            ui->horizontalLayout_scrollArea->addWidget(picture);
            ui->scrollArea->show();
        }
    }
    ui->scrollArea->setFixedHeight(118);
}

QString FormSupportKids::shownText() const
{
    return ui->labelText->text();
}

bool FormSupportKids::canExpand() const
{
    return !ui->pushButton->isHidden();
}

int FormSupportKids::pictureCount() const
{
    return findChildren<MyLabels *>().size();
}

void FormSupportKids::on_pushButton_clicked(bool checked)
{
    if (checked) {
        ui->pushButton->setText(QStringLiteral("收起"));
        ui->labelText->setText(m_item.content);
    } else {
        ui->pushButton->setText(QStringLiteral("展开全部"));
        ui->labelText->setText(folded(m_item.content));
    }
}
