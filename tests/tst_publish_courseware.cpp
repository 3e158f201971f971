// The courseware publish form against the platform stand-in: a failed
// upload and a record the platform refuses after the upload are reported.
// A successful publish is the courseware road (tst_road_courseware).
#include "LumexaTest.h"

#include "BoxWatcher.h"
#include "DocumentHost.h"
#include "FormFaBuChenggong.h"
#include "PlatformFixture.h"
#include "WidgetDriver.h"
#include "Widgetmain.h"
#include "bankupinfo.h"
#include "messageForm.h"

#include <QComboBox>
#include <QJsonDocument>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>

namespace {
void choose(QComboBox *combo, int index)
{
    combo->setCurrentIndex(index);
}
}

class tst_publish_courseware : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanup();
    void uploadFailure();
    void saveFailureIsReported();

private:
    // Picks subject, type, version, grade and the first volume.
    void fillCurriculum(bankupinfo *form);
    QList<QJsonObject> requests(const QString &path) const;

    PlatformFixture platform;
    QTemporaryDir cache;
};

void tst_publish_courseware::initTestCase()
{
    QVERIFY2(platform.start({"--record", "--no-office"}), qPrintable(platform.error()));
    QVERIFY(PlatformFixture::login());
    QVERIFY(Widgetmain::prepareCacheDirectory(cache.path()));
    contentRect = QRect(0, 0, 1200, 760);
}

void tst_publish_courseware::cleanup()
{
    WidgetDriver::closeMessages();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

QList<QJsonObject> tst_publish_courseware::requests(const QString &path) const
{
    QList<QJsonObject> out;
    for (const auto &r : platform.recordedRequests())
        if (r.toObject().value("path").toString() == path)
            out << QJsonDocument::fromJson(r.toObject().value("body").toString().toUtf8()).object();
    return out;
}

void tst_publish_courseware::fillCurriculum(bankupinfo *form)
{
    choose(form->findChild<QComboBox *>("comboBox_1"), 2);
    choose(form->findChild<QComboBox *>("comboBox_2"), 1);
    choose(form->findChild<QComboBox *>("comboBox_3"), 1);
    choose(form->findChild<QComboBox *>("comboBox_4"), 1);
    auto *volume = form->findChild<QComboBox *>("comboBox_5");
    QVERIFY(volume->isEnabled());
    QTest::mouseClick(volume, Qt::LeftButton); // loads the volumes
    volume->hidePopup();
    QVERIFY(volume->count() > 1);
    volume->setCurrentIndex(1);
}

void tst_publish_courseware::uploadFailure()
{
    currentDocumentPath = cache.filePath("missing.pptx");
    const int saves = requests("/v2.0/client/FileClass/save").size();
    bankupinfo form;
    form.show();
    fillCurriculum(&form);
    form.findChild<QLineEdit *>("lineEditName")->setText("不存在的课件");
    form.findChild<QLineEdit *>("lineEdit_XD")->setText("200");
    BoxWatcher boxes;
    QTest::mouseClick(form.findChild<QPushButton *>("pushButton_OK"), Qt::LeftButton);
    QCOMPARE(WidgetDriver::shownMessages(), QStringList{QStringLiteral("课件上传失败")});
    // The form comes back as it was filled, to try again.
    QVERIFY(form.isVisible());
    QCOMPARE(form.findChild<QLineEdit *>("lineEditName")->text(), QStringLiteral("不存在的课件"));
    QCOMPARE(requests("/v2.0/client/FileClass/save").size(), saves);
}

void tst_publish_courseware::saveFailureIsReported()
{
    // The platform takes the upload but refuses a record pointing at a file
    // that is not a deck.
    QFile notes(cache.filePath("notes.txt"));
    QVERIFY(notes.open(QIODevice::WriteOnly));
    notes.write("not a deck");
    notes.close();
    currentDocumentPath = notes.fileName();
    bankupinfo form;
    form.show();
    fillCurriculum(&form);
    form.findChild<QLineEdit *>("lineEditName")->setText("文本");
    form.findChild<QLineEdit *>("lineEdit_XD")->setText("200");
    QTest::mouseClick(form.findChild<QPushButton *>("pushButton_OK"), Qt::LeftButton);
    const QStringList shown = WidgetDriver::shownMessages();
    QCOMPARE(shown.size(), 1);
    QVERIFY(shown.first().endsWith(QStringLiteral("检查网络重新尝试。")));
    QVERIFY(!WidgetDriver::shownTopLevel<FormFaBuChenggong>());
}

LUMEXA_TEST_MAIN(tst_publish_courseware)
#include "tst_publish_courseware.moc"
