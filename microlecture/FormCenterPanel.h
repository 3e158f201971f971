#pragma once

#include <QJsonObject>
#include <QList>
#include <QPixmap>
#include <QPointer>
#include <QThread>
#include <QWidget>

#include "miciroInfo.h"

namespace Ui {
class FormCenterPanel;
}
class ExportSelection;
class FormExportProgress;
class FormMicroKids;
class PageWidget2;
class bankShareShadow;

// The micro-lecture list: the teacher's own or purchased micro-lectures,
// twelve tiles a page in two rows of six, with thumbnails cut by the encoder
// and a selection bar for exporting videos within the daily allowance.
class FormCenterPanel : public QWidget
{
    Q_OBJECT

public:
    explicit FormCenterPanel(QWidget *parent = nullptr);
    ~FormCenterPanel() override;

    static const int PageSize = 12;
    static int pageCount(int total);

    QList<FormMicroKids *> tiles() const { return m_tiles; }
    const QList<miciroInfo> &records() const { return m_records; }
    const QList<miciroInfo> &selectedRecords() const;
    ExportSelection *selection() const { return m_selection; }
    PageWidget2 *pageWidget() const { return m_pageWidget; }
    bankShareShadow *notice() const { return m_notice; }
    FormExportProgress *exportPanel() const { return m_exportPanel; }
    bool isEmptyList() const { return emptyList; }
    // Thumbnail threads of this page that have not finished yet.
    int runningWorkers() const;

    bool emptyList = false;

signals:
    void collect_json_object(int num);
    void Top_search();
    // A reply was shown (for the page that hosts the list, and tests).
    void listShown();

public slots:
    void shootJson_object(QJsonObject obj, int classlist, int shadows);
    void shootJson_object(QJsonObject obj, int classlist);
    void PageChanged(int num);
    void init_first(int index);
    void shootSwitchPage(int index);
    void select_item(bool checked, miciroInfo info);
    void btnX_clickedID(QString str);
    void delete_success();
    void upDatePhoto(QString id);
    void on_pushButton_selector_clicked(bool checked);
    void on_pushButton_output_clicked();

protected:
    void paintEvent(QPaintEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;

private:
    void refreshSelection();
    void placeOverlays();

    Ui::FormCenterPanel *ui;
    QList<FormMicroKids *> m_tiles;
    QList<miciroInfo> m_records;
    ExportSelection *m_selection = nullptr;
    PageWidget2 *m_pageWidget = nullptr;
    bankShareShadow *m_notice = nullptr;
    FormExportProgress *m_exportPanel = nullptr;
    QList<QPointer<QThread>> m_workers;
    int m_loadGeneration = 0;
    QPixmap m_emptyPicture;
};
