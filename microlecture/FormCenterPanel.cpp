#include "FormCenterPanel.h"
#include "ui_FormCenterPanel.h"

#include "ApiPaths.h"
#include "BaseAddress.h"
#include "ExportSelection.h"
#include "FormExportProgress.h"
#include "FormMicroKids.h"
#include "HttpClassInput.h"
#include "Http_access.h"
#include "ListPaging.h"
#include "PageWidget2.h"
#include "ResourceExport.h"
#include "Widgetmain.h"
#include "bankShareShadow.h"
#include "myCurrentThread2.h"

#include <QPainter>
#include <QUrlQuery>
#include <QScrollBar>

FormCenterPanel::FormCenterPanel(QWidget *parent)
    : QWidget(parent), ui(new Ui::FormCenterPanel),
      m_emptyPicture(QStringLiteral(":/png5/kejianluru/nonebkg.png"))
{
    ui->setupUi(this);
    m_notice = new bankShareShadow(this);
    m_pageWidget = new PageWidget2(ui->frame_PageWidget);
    ui->horizontalLayout_page->addWidget(m_pageWidget);
    ui->scrollArea->viewport()->setAutoFillBackground(false);

    for (int i = 0; i < PageSize; ++i) {
        auto *tile = new FormMicroKids(ui->scrollAreaWidgetContents);
        tile->setObjectName(QStringLiteral("tile_%1").arg(i));
        tile->setRecord(miciroInfo());
        tile->setEnabled(false);
        ui->gridLayout->addWidget(tile, i / 6, i % 6);
        connect(tile, &FormMicroKids::select_item, this, &FormCenterPanel::select_item);
        connect(tile, &FormMicroKids::delete_success, this, &FormCenterPanel::delete_success);
        m_tiles.append(tile);
    }
    m_pageWidget->setMaxPage(1);
    ui->labelTishi1->setText(QStringLiteral("每天最多可以导出%1条微课内容").arg(dailyExportLimit));

    m_selection = new ExportSelection(ui->horizontalLayout_Label, this);
    connect(m_selection, &ExportSelection::chipClosed, this, &FormCenterPanel::btnX_clickedID);
    m_exportPanel = new FormExportProgress(this);

    connect(m_pageWidget, &PageWidget2::currentPageChanged, this, &FormCenterPanel::PageChanged);
    if (Widgetmain *main = Http_access::instance()->mainWindow)
        connect(main, &Widgetmain::shootSwitchPage, this, &FormCenterPanel::shootSwitchPage);
    connect(m_notice, &bankShareShadow::shootHide, this, &FormCenterPanel::init_first);
    refreshSelection();
}

FormCenterPanel::~FormCenterPanel()
{
    // Threads still cutting thumbnails end with their encoder before the
    // page goes; their results have nowhere to go.
    for (const QPointer<QThread> &t : m_workers) {
        if (!t)
            continue;
        t->quit();
        t->wait();
    }
    delete ui;
}

int FormCenterPanel::pageCount(int total)
{
    return total / PageSize + (total % PageSize ? 1 : 0);
}

const QList<miciroInfo> &FormCenterPanel::selectedRecords() const
{
    return m_selection->records();
}

int FormCenterPanel::runningWorkers() const
{
    int n = 0;
    for (const QPointer<QThread> &t : m_workers)
        n += (t && !t->isFinished()) ? 1 : 0;
    return n;
}

void FormCenterPanel::shootJson_object(QJsonObject obj, int classlist)
{
    shootJson_object(obj, classlist, 0);
}

void FormCenterPanel::shootJson_object(QJsonObject obj, int classlist, int shadows)
{
    const int generation = ++m_loadGeneration;
    microLectureRecords.clear();
    const QString path = classlist == 1 ? ApiPaths::smallClassList : ApiPaths::smallClassPurchaseList;
    // The purchased list holds both kinds: ask for videos (see bankclasscenter).
    QUrlQuery kind;
    if (classlist != 1)
        kind.addQueryItem(QStringLiteral("resKind"), QStringLiteral("microlecture"));
    QPointer<FormCenterPanel> self(this);
    Http_access::instance()->fetchMicroLectures(BaseAddress::api() + path, kind, obj);
    if (!self)
        return; // the page went while the list was on its way
    if (generation != m_loadGeneration) {
        // A later load started while this one waited and has been shown.
        microLectureRecords = m_records;
        return;
    }
    m_records = microLectureRecords;

    if (!m_records.isEmpty()) {
        m_notice->hide();
        emptyList = false;
    } else {
        if (shadows != 0) {
            placeOverlays();
            m_notice->showNotice(1);
        }
        emptyList = true;
    }
    update();

    m_workers.removeAll(nullptr);
    const int shown = qMin(m_records.size(), m_tiles.size());
    for (int i = 0; i < shown; ++i) {
        FormMicroKids *tile = m_tiles.at(i);
        tile->setRecord(m_records.at(i));
        tile->show();
        tile->setEnabled(true);
        m_workers.append(myCurrentThread2::start(m_records.at(i), this));
    }
    for (int i = shown; i < m_tiles.size(); ++i) {
        FormMicroKids *tile = m_tiles.at(i);
        tile->setRecord(miciroInfo());
        tile->setEnabled(false);
        tile->setSelectorChecked(false);
    }
    if (!m_records.isEmpty())
        ListPaging::show(m_pageWidget, pageCount(m_records.first().total), obj.value("pageNum").toString().toInt());
    refreshSelection();
    ui->scrollArea->verticalScrollBar()->setValue(0);
    emit listShown();
}

void FormCenterPanel::PageChanged(int num)
{
    emit collect_json_object(num);
}

void FormCenterPanel::init_first(int index)
{
    if (index == 2) {
        shootJson_object(QJsonObject{{QStringLiteral("pageNum"), QStringLiteral("1")},
                                     {QStringLiteral("pageSize"), QStringLiteral("12")}},
                         1, 0);
        return;
    }
    update();
}

void FormCenterPanel::shootSwitchPage(int index)
{
    update();
    if (index == 2)
        emit collect_json_object(1);
}

void FormCenterPanel::select_item(bool checked, miciroInfo info)
{
    if (checked)
        m_selection->add(info);
    else
        m_selection->remove(info.id);
    refreshSelection();
}

void FormCenterPanel::btnX_clickedID(QString str)
{
    m_selection->remove(str);
    refreshSelection();
}

void FormCenterPanel::delete_success()
{
    emit Top_search();
}

void FormCenterPanel::upDatePhoto(QString id)
{
    for (FormMicroKids *tile : m_tiles)
        if (!id.isEmpty() && tile->record().id == id)
            tile->updaPictureMicro(0);
}

void FormCenterPanel::refreshSelection()
{
    const bool any = !m_selection->isEmpty();
    ui->pushButton_output->setEnabled(any);
    ui->label_YX->setVisible(any);
    // The allowance may have arrived after this page was built.
    ui->labelTishi1->setText(QStringLiteral("每天最多可以导出%1条微课内容").arg(dailyExportLimit));
    const bool full = m_selection->isFull();
    for (FormMicroKids *tile : m_tiles) {
        const QString id = tile->record().id;
        const bool chosen = !id.isEmpty() && m_selection->contains(id);
        tile->setSelectorChecked(chosen);
        tile->setSelectorEnabled(chosen || !full);
        tile->setLimitToolTip(dailyExportLimit);
    }
}

void FormCenterPanel::on_pushButton_selector_clicked(bool checked)
{
    for (FormMicroKids *tile : m_tiles)
        tile->setSelectorShown(checked);
}

void FormCenterPanel::on_pushButton_output_clicked()
{
    ResourceExport::run(this, m_exportPanel, m_selection->records(), QStringLiteral("2"), BaseAddress::video(),
                        [](const miciroInfo &) { return QStringLiteral(".mp4"); });
}

void FormCenterPanel::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    p.fillRect(rect(), QColor(0xF7, 0xF8, 0xF8));
    if (emptyList && !m_emptyPicture.isNull()) {
        QRect r(QPoint(0, 0), m_emptyPicture.size());
        r.moveCenter(ui->scrollArea->geometry().center());
        p.drawPixmap(r, m_emptyPicture);
    }
}

void FormCenterPanel::resizeEvent(QResizeEvent *event)
{
    QWidget::resizeEvent(event);
    placeOverlays();
}

void FormCenterPanel::placeOverlays()
{
    m_notice->setGeometry(ui->scrollArea->geometry());
    m_exportPanel->placeIn(rect());
}
