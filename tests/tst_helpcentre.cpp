// The help centre against the platform stand-in: tabs loaded once, search in
// the current tab, folding at 70 characters, pictures and help videos.
#include "LumexaTest.h"

#include "ApiPaths.h"
#include "FormSupportCenter.h"
#include "FormSupportKids.h"
#include "MyLabels.h"
#include "PlatformFixture.h"

#include <QJsonObject>
#include <QLineEdit>
#include <QPushButton>

class tst_helpcentre : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void folding_data();
    void folding();
    void filesOfAnArticle();
    void tabsAndSearch();

private:
    // Bodies of the help requests the platform received, in order.
    QList<QJsonObject> helpRequests() const { return platform.recordedBodies(ApiPaths::helpList); }
    PlatformFixture platform;
};

void tst_helpcentre::initTestCase()
{
    QVERIFY2(platform.start({"--record"}), qPrintable(platform.error()));
    QVERIFY(PlatformFixture::login());
}

void tst_helpcentre::folding_data()
{
    QTest::addColumn<int>("length");
    QTest::addColumn<bool>("expandable");
    QTest::newRow("70 characters") << 70 << false;
    QTest::newRow("71 characters") << 71 << true;
}

void tst_helpcentre::folding()
{
    QFETCH(int, length);
    QFETCH(bool, expandable);
    const QString content = QString(length, QChar(0x8BFE)); // 课
    FormSupportKids article;
    article.setItem({QStringLiteral("标题"), content, {}});
    QCOMPARE(article.canExpand(), expandable);
    QCOMPARE(article.shownText(), expandable ? content.left(70) + "..." : content);
    if (!expandable)
        return;
    auto *button = article.findChild<QPushButton *>("pushButton");
    button->click();
    QCOMPARE(article.shownText(), content);
    button->click();
    QCOMPARE(article.shownText(), content.left(70) + "...");
}

void tst_helpcentre::filesOfAnArticle()
{
    FormSupportKids article;
    article.setItem({QStringLiteral("t"), QStringLiteral("c"),
                     {"/help/help-1-5.png", "", "/help/help-1-video.mp4", "/help/missing.png", "/notes.txt"}});
    QCOMPARE(article.pictureCount(), 2);
    QCOMPARE(article.videos(), QStringList{platform.baseUrl() + "/doc/help/help-1-video.mp4"});

    const auto pictures = article.findChildren<MyLabels *>();
    QTRY_VERIFY(!pictures[0]->picture().isNull());
    const QPixmap pic = pictures[0]->picture();
    QCOMPARE(pictures[0]->size(), QSize(int(double(pic.width()) / pic.height() * 100), 100));
    // A picture that cannot be fetched keeps a fixed size and shows nothing.
    QTRY_VERIFY(!pictures[1]->isLoading());
    QVERIFY(pictures[1]->picture().isNull());
    QCOMPARE(pictures[1]->size(), QSize(MyLabels::placeholderWidth, 100));
}

void tst_helpcentre::tabsAndSearch()
{
    const int before = helpRequests().size();
    FormSupportCenter help;
    help.show();
    QCOMPARE(helpRequests().size(), before + 1);
    QCOMPARE(helpRequests().last(), (QJsonObject{{"resType", "1"}, {"type", "1"}}));
    auto *xt = help.findChild<QPushButton *>("pushButton_XT");
    auto *kj = help.findChild<QPushButton *>("pushButton_KJ");
    auto *wk = help.findChild<QPushButton *>("pushButton_WK");

    QTest::mouseClick(xt, Qt::LeftButton); // the active tab stays active
    QVERIFY(xt->isChecked());
    QCOMPARE(helpRequests().size(), before + 1);

    QTest::mouseClick(kj, Qt::LeftButton);
    QVERIFY(kj->isChecked() && !xt->isChecked() && !wk->isChecked());
    QCOMPARE(helpRequests().size(), before + 2);
    QCOMPARE(helpRequests().last().value("resType").toString(), QStringLiteral("2"));
    const int courseware = help.articleCount(1);
    QVERIFY(courseware > 0);
    QTest::mouseClick(wk, Qt::LeftButton);
    QTest::mouseClick(kj, Qt::LeftButton);
    QCOMPARE(helpRequests().size(), before + 3);
    QCOMPARE(help.articleCount(1), courseware);

    // A search asks within the current tab; an empty one brings the whole tab back.
    help.searchField()->setText(QStringLiteral("导出"));
    QTest::mouseClick(help.searchField()->findChild<QPushButton *>("pushButton_search"), Qt::LeftButton);
    QCOMPARE(helpRequests().size(), before + 4);
    QCOMPARE(helpRequests().last(), (QJsonObject{{"resType", "2"}, {"title", QStringLiteral("导出")}, {"type", "1"}}));
    QVERIFY(help.articleCount(1) >= 1 && help.articleCount(1) < courseware);
    help.searchField()->clear();
    QTest::keyClick(help.searchField(), Qt::Key_Return);
    QCOMPARE(helpRequests().last().value("title"), QJsonValue(QString()));
    QCOMPARE(help.articleCount(1), courseware);
}

LUMEXA_TEST_MAIN(tst_helpcentre)
#include "tst_helpcentre.moc"
