#include "widgetno2.h"
#include "ui_widgetno2.h"

#include "FormCenterPanel.h"
#include "FormMicroTools.h"
#include "FormTopPanel.h"
#include "FormVLPanel.h"
#include "FormVideoCenter.h"
#include "FormVideoTop.h"
#include "FormmicroInfo.h"
#include "QTAVPlayer.h"

#include <QGraphicsDropShadowEffect>

namespace {
void shadow(QWidget *w)
{
    auto *effect = new QGraphicsDropShadowEffect(w);
    effect->setOffset(0, 0);
    effect->setColor(QColor(0x88, 0x88, 0x88));
    effect->setBlurRadius(20);
    w->setGraphicsEffect(effect);
}
}

widgetno2::widgetno2(QWidget *parent)
    : QWidget(parent), ui(new Ui::widgetno2)
{
    ui->setupUi(this);
    m_side = new FormVLPanel(this, this);
    m_filter = new FormTopPanel(this);
    m_filter->useMicroLectureLabels();
    m_list = new FormCenterPanel(this);
    m_editor = new FormVideoCenter(this);
    m_publish = new FormmicroInfo(this);
    m_publish->videoPage = m_editor;
    m_toolbar = new FormVideoTop(this);
    m_tools = new FormMicroTools(this);
    m_tools->hide();
    m_publish->hide();
    m_editor->hide();
    m_toolbar->hide();
    for (QWidget *w : std::initializer_list<QWidget *>{m_publish, m_side, m_filter, m_toolbar})
        shadow(w);

    connect(m_toolbar, &FormVideoTop::getVideoPath, m_editor, &FormVideoCenter::openVideo);
    connect(m_toolbar, &FormVideoTop::getVideoPreview, m_editor, &FormVideoCenter::getVideoPreview);
    connect(m_toolbar, &FormVideoTop::outputMicroClass, m_editor, &FormVideoCenter::outputMicroClass);
    connect(m_toolbar, &FormVideoTop::outputUpload, m_publish, &FormmicroInfo::outputUpload);
    connect(m_editor, &FormVideoCenter::shootSaveMicro, m_toolbar, &FormVideoTop::getUpload);
    connect(m_filter, &FormTopPanel::shootJson_object, m_list,
            QOverload<QJsonObject, int, int>::of(&FormCenterPanel::shootJson_object));
    connect(m_list, &FormCenterPanel::collect_json_object, m_filter, &FormTopPanel::collect_json_object);
    connect(m_list, &FormCenterPanel::Top_search, m_filter, &FormTopPanel::on_pushButton_search_clicked);
}

widgetno2::~widgetno2()
{
    delete ui;
}

void widgetno2::switchMicroView(int view)
{
    switch (view) {
    case 1:
        m_filter->show();
        m_list->show();
        m_publish->hide();
        m_tools->hide();
        m_editor->hide();
        m_toolbar->hide();
        m_editor->videoPlayer()->pausePlayer();
        break;
    case 2:
        m_editor->show();
        m_toolbar->show();
        m_publish->show();
        m_tools->hide();
        m_filter->hide();
        m_list->hide();
        break;
    case 3:
        m_tools->show();
        m_tools->raise();
        m_filter->hide();
        m_editor->videoPlayer()->pausePlayer();
        break;
    default:
        break;
    }
}

void widgetno2::resetMicroPage()
{
    m_side->resetSidePanel();
    m_filter->on_pushButton_clicked();
    m_editor->resetEditor();
    m_publish->resetPublishForm();
}

void widgetno2::resizeEvent(QResizeEvent *event)
{
    QWidget::resizeEvent(event);
    const int w = width();
    const int h = height();
    m_side->setGeometry(0, 0, 70, h);
    m_toolbar->setGeometry(70, 0, w - 70, 50);
    m_filter->setGeometry(70, 0, w - 70, 50);
    const int t = m_filter->height();
    m_list->setGeometry(70, t, w - 70, h - t);
    m_publish->setGeometry(w - m_publish->width(), m_toolbar->height(), m_publish->width(),
                           h - m_toolbar->height());
    m_editor->setGeometry(70, t, w - 70 - m_publish->width(), h - t);
    m_tools->setGeometry(70, 0, w - 70, h);
    m_filter->raise();
    m_side->raise();
}
