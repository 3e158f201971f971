#pragma once

#include "DictItem.h"
#include "TreeNode.h"

#include <QJsonObject>
#include <QPointer>
#include <QStringList>
#include <QWidget>

namespace Ui {
class FormmicroInfo;
}
class QComboBox;
class FormUpClassMessage;
class FormVideoCenter;

// The publish panel beside the video editing page: where a micro-lecture
// sits in the curriculum. The toolbar's upload button asks it to publish:
// it checks the page and itself, asks for name, introduction and price in
// a confirmation dialog, uploads the saved cut and saves the record.
//
// The dictionaries load just after construction (and after every reset),
// so the window does not wait for the server; lookupsLoaded() tells when.
class FormmicroInfo : public QWidget
{
    Q_OBJECT

public:
    explicit FormmicroInfo(QWidget *parent = nullptr);
    ~FormmicroInfo() override;

    // The editing page whose video and name are published; set by the page
    // that holds both.
    QPointer<FormVideoCenter> videoPage;

    void loadLookups();
    void resetMetadata();
    void resetPublishForm();
    bool lookupsReady() const { return m_lookupsReady; }

    // The record UploadConfirm saves for name, introduction, price and fee
    // flag, without "fileSrc".
    QJsonObject record(const QStringList &lstr) const;
    QStringList knowledgeIds() const { return knowledgePointIds; }

signals:
    void lookupsLoaded();

public slots:
    void outputUpload();
    void UploadConfirm(QStringList lstr);
    void comBoxMLStr(QString str);
    void comBoxZSStr(QStringList strlname, QStringList strlid);
    void comboxclicked5();
    void close_OK();
    void on_toolButtonML_clicked();
    void on_toolButtonZS_clicked();
    void on_comboBox_1_currentIndexChanged(int index);
    void on_comboBox_2_currentIndexChanged(int index);
    void on_comboBox_3_currentIndexChanged(int index);
    void on_comboBox_4_currentIndexChanged(int index);
    void on_comboBox_5_currentIndexChanged(int index);

private:
    void fetchDictionaries(int generation);
    // The catalogue node and knowledge points belong to one volume: both go
    // back to their placeholders whenever the volume changes.
    void clearTreeChoices();
    QString volumeId() const;
    void hideBusy();

    Ui::FormmicroInfo *ui;
    QList<DictItem> gradeEntries;
    QList<DictItem> subjectEntries;
    QList<DictItem> versionEntries;
    QList<DictItem> volumeEntries;
    QList<TreeNode> catalogueNodes;
    QList<TreeNode> knowledgeNodes;
    QStringList knowledgePointIds;
    int m_loadGeneration = 0;
    bool m_lookupsReady = false;
    bool m_publishing = false;
    QPointer<FormUpClassMessage> m_confirm;
};
