#include "bankclasscenter.h"
#include "ui_bankclasscenter.h"

#include "ApiPaths.h"
#include "BaseAddress.h"
#include "CurrentUser.h"
#include "ExportSelection.h"
#include "FormExportProgress.h"
#include "Http_access.h"
#include "HttpClassInput.h"
#include "ListMessage.h"
#include "NetworkNotice.h"
#include "ListPaging.h"
#include "LocalFileName.h"
#include "PageWidget2.h"
#include "ReplyWaiter.h"
#include "ResourceExport.h"
#include "bankShareShadow.h"
#include "bankcenterkid.h"

#include <QDebug>
#include <QJsonArray>
#include <QJsonDocument>
#include <QNetworkReply>
#include <QPainter>
#include <QScrollBar>

bankclasscenter::bankclasscenter(QWidget *parent)
    : QWidget(parent), ui(new Ui::bankclasscenter),
      m_emptyPicture(QStringLiteral(":/png5/kejianluru/nonebkg.png"))
{
    ui->setupUi(this);
    suppressNotFound = false;
    emptyList = false;

    dailyExportLimit = HttpClassInput::instance()->fetchExportFrequency(
        BaseAddress::api() + ApiPaths::exportFrequency,
        QJsonObject{{QStringLiteral("label"), QStringLiteral("3")}, {QStringLiteral("type"), QStringLiteral("CODE_EXPORTTYPE")}});
    ui->labelTishi1->setText(QStringLiteral("每天最多可以导出%1条课件内容").arg(dailyExportLimit));

    m_notice = new bankShareShadow(this);
    m_pageWidget = new PageWidget2(ui->frame_PageWidget);
    ui->horizontalLayout_page->addWidget(m_pageWidget);
    m_pageWidget->setMaxPage(1);
    connect(m_pageWidget, &PageWidget2::currentPageChanged, this, &bankclasscenter::PageChanged);
    connect(&m_manager, &QNetworkAccessManager::finished, this, &bankclasscenter::replyFinished);

    ui->scrollArea->viewport()->setAutoFillBackground(false);
    for (int i = 0; i < PageSize; ++i) {
        auto *tile = new bankcenterkid(ui->scrollAreaWidgetContents);
        tile->setObjectName(QStringLiteral("tile_%1").arg(i));
        ui->verticalLayout_tiles->insertWidget(i, tile);
        tile->hide();
        connect(tile, &bankcenterkid::select_item, this, &bankclasscenter::select_item);
        connect(tile, &bankcenterkid::deckOpened, this, [this] { emit select_click(2); });
        m_tiles.append(tile);
    }

    m_selection = new ExportSelection(ui->horizontalLayout_Label, this);
    connect(m_selection, &ExportSelection::chipClosed, this, &bankclasscenter::btnX_clickedID);
    m_exportPanel = new FormExportProgress(this);
    refreshSelection();

    init_first();
}

bankclasscenter::~bankclasscenter()
{
    disconnect(&m_manager, nullptr, this, nullptr);
    if (m_currentReply)
        m_currentReply->abort();
    delete ui;
}

int bankclasscenter::pageCount(int total)
{
    return total / PageSize + (total % PageSize ? 1 : 0);
}

const QList<miciroInfo> &bankclasscenter::selectedRecords() const
{
    return m_selection->records();
}

void bankclasscenter::init_first()
{
    m_records.clear();
    shootJson_object(QJsonObject{{QStringLiteral("pageNum"), QStringLiteral("1")},
                                 {QStringLiteral("pageSize"), QStringLiteral("12")}},
                     1, 0);
}

void bankclasscenter::PageChanged(int num)
{
    emit collect_json_object(num);
}

void bankclasscenter::shootJson_object(QJsonObject obj, int classlist, int shadow)
{
    suppressNotFound = shadow != 0;
    m_records.clear();
    m_lastQuery = obj;
    m_lastClasslist = classlist;
    const QString path = classlist == 1 ? ApiPaths::fileClassList : ApiPaths::smallClassPurchaseList;
    QUrl address(BaseAddress::api() + path);
    if (classlist != 1) {
        // The purchased list holds both kinds: ask for decks, so that pages
        // and their count are of decks. A platform without the key ignores it.
        address.setQuery(QStringLiteral("resKind=courseware"));
    }
    QNetworkRequest request{address};
    request.setHeader(QNetworkRequest::ContentTypeHeader, QStringLiteral("application/json"));
    request.setRawHeader("token", CurrentUser::token.toUtf8());
    // Only the latest query's reply is shown; an earlier one that arrives
    // late would put an old page over the new one.
    if (QNetworkReply *earlier = m_currentReply) {
        m_currentReply = nullptr;
        earlier->abort();
    }
    m_currentReply = m_manager.post(request, QJsonDocument(obj).toJson());
    ReplyWaiter::watch(m_currentReply, Http_access::timeoutMs);
}

void bankclasscenter::replyFinished(QNetworkReply *reply)
{
    if (!reply) {
        ListMessage::show(0, QStringLiteral("reply is NULL"));
        return;
    }
    reply->deleteLater();
    if (reply != m_currentReply)
        return;
    m_currentReply = nullptr;
    if (ReplyWaiter::timedOut(reply)) {
        NetworkNotice::show(ReplyWaiter::timeoutText()); // one notice for every request that ran out of time
        return;
    }

    QJsonParseError error;
    const QJsonDocument doc = QJsonDocument::fromJson(reply->readAll(), &error);
    if (error.error != QJsonParseError::NoError || !doc.isObject()) {
        ListMessage::show(0, QStringLiteral("JSON1 格式不匹配"));
        return;
    }
    const QJsonObject root = doc.object();
    if (root.value("code").toInt() != 1 && root.value("msg").toString() != QStringLiteral("成功")) {
        qDebug() << "courseware list refused:" << root.value("msg").toString();
        return;
    }
    const QJsonObject data = root.value("data").toObject();
    const int total = data.value("total").toInt();
    m_records.clear();
    for (const QJsonValue &v : data.value("list").toArray()) {
        const QJsonObject o = v.toObject();
        // The purchased list holds videos as well; they belong to the
        // micro-lecture list.
        if (o.value("resKind").toString() == QLatin1String("microlecture"))
            continue;
        m_records.append(miciroInfo::fromJson(o, total, true));
    }
    render(total);
}

void bankclasscenter::render(int total)
{
    // Twelve tiles whatever the reply holds.
    for (int i = 0; i < m_tiles.size(); ++i) {
        bankcenterkid *tile = m_tiles.at(i);
        if (i < m_records.size()) {
            tile->setData(m_records.at(i));
            tile->show();
        } else {
            tile->setData(miciroInfo());
            tile->hide();
        }
    }
    if (!m_records.isEmpty()) {
        m_notice->hide();
        emptyList = false;
        ListPaging::show(m_pageWidget, pageCount(total), m_lastQuery.value("pageNum").toString().toInt());
    } else {
        emptyList = true;
        // The notice speaks of a search keyword: shown for searches only.
        if (suppressNotFound) {
            placeOverlays();
            m_notice->showNotice(1);
        }
    }
    refreshSelection();
    ui->scrollArea->verticalScrollBar()->setValue(0);
    update();
    emit listShown();
}

void bankclasscenter::select_item(bool isselect, miciroInfo info)
{
    if (isselect)
        m_selection->add(info);
    else
        m_selection->remove(info.id);
    refreshSelection();
}

void bankclasscenter::btnX_clickedID(QString id)
{
    m_selection->remove(id);
    refreshSelection();
}

void bankclasscenter::refreshSelection()
{
    const bool any = !m_selection->isEmpty();
    ui->pushButton_output->setEnabled(any);
    const bool full = m_selection->isFull();
    for (bankcenterkid *tile : m_tiles) {
        const bool chosen = !tile->record().id.isEmpty() && m_selection->contains(tile->record().id);
        tile->setSelectorChecked(chosen);
        tile->setSelectorEnabled(chosen || !full);
    }
}

void bankclasscenter::on_pushButton_selector_clicked(bool checked)
{
    for (bankcenterkid *tile : m_tiles)
        tile->setSelectorShown(checked);
}

void bankclasscenter::on_pushButton_output_clicked()
{
    ResourceExport::run(this, m_exportPanel, m_selection->records(), QStringLiteral("3"), BaseAddress::doc(),
                        [](const miciroInfo &r) {
                            return LocalFileName::suffixOf(r.fileSrc, {QStringLiteral("ppt"), QStringLiteral("pptx")},
                                                           QStringLiteral("ppt"));
                        });
}

void bankclasscenter::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    p.fillRect(rect(), QColor(0xF7, 0xF8, 0xF8));
    if (emptyList && !m_emptyPicture.isNull()) {
        const QRect area = ui->scrollArea->geometry();
        QRect r(QPoint(0, 0), m_emptyPicture.size());
        r.moveCenter(area.center());
        p.drawPixmap(r, m_emptyPicture);
    }
}

void bankclasscenter::resizeEvent(QResizeEvent *event)
{
    QWidget::resizeEvent(event);
    placeOverlays();
}

void bankclasscenter::placeOverlays()
{
    m_notice->setGeometry(ui->scrollArea->geometry());
    m_exportPanel->placeIn(rect());
}
