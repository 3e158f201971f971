#pragma once

#include <QJsonObject>
#include <QList>
#include <QNetworkAccessManager>
#include <QPixmap>
#include <QPointer>
#include <QWidget>

#include "miciroInfo.h"

namespace Ui {
class bankclasscenter;
}
class ExportSelection;
class FormExportProgress;
class PageWidget2;
#include <QNetworkReply>
class bankShareShadow;
class bankcenterkid;

// The my-courseware list: the teacher's own or purchased courseware, twelve
// tiles a page, with a selection bar for exporting decks within the daily
// allowance. Queries come from the filter bar above it.
class bankclasscenter : public QWidget
{
    Q_OBJECT

public:
    explicit bankclasscenter(QWidget *parent = nullptr);
    ~bankclasscenter() override;

    static const int PageSize = 12;
    // Pages for a total: whole pages plus one for a remainder.
    static int pageCount(int total);

    QList<bankcenterkid *> tiles() const { return m_tiles; }
    const QList<miciroInfo> &records() const { return m_records; }
    const QList<miciroInfo> &selectedRecords() const;
    ExportSelection *selection() const { return m_selection; }
    PageWidget2 *pageWidget() const { return m_pageWidget; }
    bankShareShadow *notice() const { return m_notice; }
    FormExportProgress *exportPanel() const { return m_exportPanel; }
    bool isEmptyList() const { return emptyList; }
    bool isLoading() const { return m_currentReply != nullptr; }
    // The last query sent, with its list (1 own, 2 purchased).
    QJsonObject lastQuery() const { return m_lastQuery; }
    int lastClasslist() const { return m_lastClasslist; }

    bool suppressNotFound = false;
    bool emptyList = false;

signals:
    void collect_json_object(int num);
    void select_click(int view);
    // A reply was shown (for the page that hosts the list, and tests).
    void listShown();

public slots:
    void shootJson_object(QJsonObject obj, int classlist, int shadow);
    void init_first();
    void PageChanged(int num);
    void replyFinished(QNetworkReply *reply);
    void select_item(bool isselect, miciroInfo info);
    void btnX_clickedID(QString id);
    void on_pushButton_selector_clicked(bool checked);
    void on_pushButton_output_clicked();

protected:
    void paintEvent(QPaintEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;

private:
    void render(int total);
    void refreshSelection();
    void placeOverlays();

    Ui::bankclasscenter *ui;
    QList<bankcenterkid *> m_tiles;
    QList<miciroInfo> m_records;
    ExportSelection *m_selection = nullptr;
    PageWidget2 *m_pageWidget = nullptr;
    bankShareShadow *m_notice = nullptr;
    FormExportProgress *m_exportPanel = nullptr;
    QNetworkAccessManager m_manager;
    QPointer<QNetworkReply> m_currentReply;
    QJsonObject m_lastQuery;
    int m_lastClasslist = 1;
    QPixmap m_emptyPicture;
};
