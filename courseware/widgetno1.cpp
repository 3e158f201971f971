#include "widgetno1.h"
#include "ui_widgetno1.h"

#include "DocumentHost.h"
#include "FormBankSLK.h"
#include "FormTopPanel.h"
#include "bankTop.h"
#include "bankVLMbk.h"
#include "bankVLSpk.h"
#include "bankVLTpk.h"
#include "bankVLXzk.h"
#include "bankVleft.h"
#include "bankclasscenter.h"

#include <QGraphicsDropShadowEffect>

namespace {
const int kLibraryWidth = 350;
// One counter per library view (2 to 6) for the whole process.
int g_shown[5] = {0, 0, 0, 0, 0};

void shadow(QWidget *w)
{
    auto *effect = new QGraphicsDropShadowEffect(w);
    effect->setOffset(0, 0);
    effect->setColor(QColor(0x88, 0x88, 0x88));
    effect->setBlurRadius(20);
    w->setGraphicsEffect(effect);
}
}

widgetno1::widgetno1(QWidget *parent)
    : QWidget(parent), ui(new Ui::widgetno1)
{
    ui->setupUi(this);
    m_menu = new bankVleft(this);
    m_toolbar = new bankTop(this);
    m_filter = new FormTopPanel(this);
    m_templates = new bankVLMbk(this);
    m_videos = new bankVLSpk(this);
    m_shapes = new bankVLXzk(this);
    m_vectors = new FormBankSLK(this);
    m_images = new bankVLTpk(this);
    m_list = new bankclasscenter(this);
    connect(m_filter, &FormTopPanel::shootJson_object, m_list, &bankclasscenter::shootJson_object);
    connect(m_list, &bankclasscenter::collect_json_object, m_filter, &FormTopPanel::collect_json_object);
    connect(m_list, &bankclasscenter::select_click, this, &widgetno1::select_click_other);
    connect(m_menu, &bankVleft::select_click, this, &widgetno1::select_click);

    const QString grey = QStringLiteral("QWidget{background-color:rgb(240,240,240);}");
    m_menu->setStyleSheet(grey);
    m_toolbar->setStyleSheet(grey);
    for (QWidget *w : std::initializer_list<QWidget *>{m_filter, m_menu, m_toolbar, m_templates, m_videos,
                                                       m_shapes, m_vectors, m_images})
        shadow(w);

    for (QWidget *w : std::initializer_list<QWidget *>{m_templates, m_images, m_shapes, m_videos, m_vectors,
                                                       m_toolbar})
        w->hide();
    DocumentHost::setUp(this);
}

widgetno1::~widgetno1()
{
    delete ui;
}

int widgetno1::libraryShowCount(int view)
{
    return view >= 2 && view <= 6 ? g_shown[view - 2] : 0;
}

QWidget *widgetno1::library(int view) const
{
    switch (view) {
    case 2:
        return m_images;
    case 3:
        return m_vectors;
    case 4:
        return m_shapes;
    case 5:
        return m_videos;
    case 6:
        return m_templates;
    default:
        return nullptr;
    }
}

void widgetno1::showMyCourseware()
{
    m_menu->selectMyClass();
    m_filter->showMyList();
}

void widgetno1::showOnly(QWidget *shown)
{
    for (int v = 2; v <= 6; ++v)
        library(v)->setVisible(library(v) == shown);
}

void widgetno1::select_click(int n)
{
    currentView = n;
    if (n < 0 || n > 6)
        return;
    if (n == 1) {
        m_filter->show();
        m_list->show();
        m_toolbar->hide();
        showOnly(nullptr);
        DocumentHost::hide();
        return;
    }
    m_toolbar->show();
    m_filter->hide();
    m_list->hide();
    showOnly(library(n));
    DocumentHost::place(controlRect());
    DocumentHost::show();
    layoutChildren();
    if (n == 0 || ++g_shown[n - 2] != 1)
        return;
    // Each library loads its first page once per process.
    switch (n) {
    case 2:
        m_images->loadOwnPage(QStringLiteral("1"), QStringLiteral("10"));
        break;
    case 3:
        m_vectors->initialise();
        m_vectors->loadPage(QStringLiteral("1"), QStringLiteral("10"), QStringLiteral("0"));
        break;
    case 4:
        m_shapes->initialise();
        m_shapes->loadPage(QStringLiteral("1"), QStringLiteral("10"), QStringLiteral("0"));
        break;
    case 5:
        m_videos->initialise();
        m_videos->loadPage(QStringLiteral("1"), QStringLiteral("10"), QStringLiteral("0"), QString());
        break;
    case 6:
        m_templates->initialise();
        m_templates->loadPage(QStringLiteral("1"), QStringLiteral("10"), QStringLiteral("0"), QString());
        break;
    }
}

void widgetno1::select_click_other(int)
{
    m_toolbar->show();
    m_filter->hide();
    m_list->hide();
    showOnly(nullptr);
    m_menu->selectEditClass();
    DocumentHost::place(QRect(m_menu->width(), m_filter->height(), width() - m_menu->width(),
                              height() - m_filter->height()));
    DocumentHost::show();
    layoutChildren();
}

QRect widgetno1::controlRect() const
{
    const int l = m_menu->width();
    const int t = m_filter->height();
    if (currentView == 6)
        return QRect(l + kLibraryWidth, t, width() - l - kLibraryWidth, height() - t);
    return QRect(l, t, width() - l, height() - t);
}

void widgetno1::resizeEvent(QResizeEvent *event)
{
    QWidget::resizeEvent(event);
    layoutChildren();
}

void widgetno1::layoutChildren()
{
    const int w = width();
    const int h = height();
    m_menu->setGeometry(0, 0, 100, h);
    const int l = m_menu->width();
    m_filter->setGeometry(l, 0, w - l, 50);
    m_toolbar->setGeometry(l, 0, w - l, 50);
    const int t = m_filter->height();
    for (int v = 2; v <= 6; ++v)
        library(v)->setGeometry(l, t, kLibraryWidth, h - t);
    m_list->setGeometry(l, t, w - l, h - t);
    DocumentHost::place(controlRect());
    // The menu ends on top; the narrow libraries lie over the deck's left part.
    DocumentHost::raise();
    for (QWidget *x : std::initializer_list<QWidget *>{m_videos, m_templates, m_images, m_shapes, m_vectors,
                                                       m_toolbar, m_filter, m_menu})
        x->raise();
}
