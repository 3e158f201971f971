// The vector, shape and image libraries against a scripted server: the
// requests they send, the category buttons, tile sizes, paging, the
// waterfall columns, deletion and the upload messages.
#include "LumexaTest.h"

#include "BoxWatcher.h"
#include "CurrentUser.h"
#include "FormBankSLK.h"
#include "HttpClassInput.h"
#include "PageWidget.h"
#include "QLabelImags.h"
#include "QLabelImagsUp.h"
#include "ScriptedResponder.h"
#include "WidgetDriver.h"
#include "Widgetmain.h"
#include "bankPBLiu.h"
#include "bankVLTpk.h"
#include "bankVLXzk.h"
#include "messageForm.h"

#include <QBuffer>
#include <QGridLayout>
#include <QJsonArray>
#include <QJsonDocument>
#include <QLineEdit>
#include <QPushButton>
#include <QStackedWidget>
#include <QTemporaryDir>
#include <QVBoxLayout>

namespace {
const QByteArray Categories = "/v2.0/client/LmResManagement/getList";
const QByteArray Resources = "/v2.0/client/LmResManagement/findList";
const QByteArray OwnList = "/v2.0/file/FileController/list";
const QByteArray Upload = "/v2.0/file/FileController/uploadFile";
const QByteArray Save = "/v2.0/file/FileController/save";
const QByteArray Delete = "/v2.0/file/FileController/deleteFileById";

QByteArray png(int w, int h)
{
    QImage image(w, h, QImage::Format_RGB32);
    image.fill(QColor("#03804B"));
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "PNG");
    return bytes;
}

QByteArray categoriesJson(const QStringList &names)
{
    QJsonArray list;
    for (int i = 0; i < names.size(); ++i)
        list.append(QJsonObject{{"id", QString("c%1").arg(i + 1)}, {"resDescribe", names.at(i)}});
    return QJsonDocument(QJsonObject{{"code", 1}, {"data", QJsonObject{{"list", list}}}}).toJson();
}

// Pictures are named by their size, "/w200h100.png"; others do not exist.
QByteArray pageJson(int total, const QStringList &files)
{
    QJsonArray list;
    for (int i = 0; i < files.size(); ++i)
        list.append(QJsonObject{{"id", QString("r%1").arg(i)}, {"resFile", files.at(i)}, {"resDescribe", files.at(i)}});
    return QJsonDocument(QJsonObject{{"code", 1}, {"data", QJsonObject{{"page", QJsonObject{{"total", total}, {"list", list}}}}}})
        .toJson();
}

QByteArray ownJson(int total, const QStringList &files)
{
    QJsonArray list;
    for (int i = 0; i < files.size(); ++i)
        list.append(QJsonObject{{"id", QString("o%1").arg(i)}, {"fileName", files.at(i)}});
    return QJsonDocument(QJsonObject{{"code", 1}, {"data", QJsonObject{{"list", QJsonObject{{"total", total}, {"list", list}}}}}})
        .toJson();
}

messageForm *shownMessage()
{
    for (QWidget *w : QApplication::topLevelWidgets())
        if (auto *m = qobject_cast<messageForm *>(w); m && m->isVisible())
            return m;
    return nullptr;
}

void closeMessages()
{
    for (QWidget *w : QApplication::topLevelWidgets())
        if (qobject_cast<messageForm *>(w))
            delete w;
}

QList<int> widths(const QList<QLabelImags *> &tiles)
{
    QList<int> out;
    for (auto *t : tiles)
        out << t->width();
    return out;
}

QList<int> heights(const QList<QWidget *> &tiles)
{
    QList<int> out;
    for (auto *t : tiles)
        out << t->height();
    return out;
}

QPushButton *numberButton(PageWidget *bar, const QString &text)
{
    for (auto *b : bar->findChildren<QPushButton *>())
        if (b->text() == text && b->isVisible())
            return b;
    return nullptr;
}
}

class tst_picture_libraries : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();
    void noCategoriesNoPages();
    void categoryButtons();
    void tilesOfAPage_data();
    void tilesOfAPage();
    void failedPageKeepsCount();
    void choosingAndPaging_data();
    void choosingAndPaging();
    void publicTab();
    void searchAndPaging();
    void ownPage();
    void overlappingLoads();
    void waterfallColumns_data();
    void waterfallColumns();
    void waterfallClears();
    void hoverStrip_data();
    void hoverStrip();
    void deleting_data();
    void deleting();
    void uploadMessages_data();
    void uploadMessages();

private:
    QJsonObject lastBody(const QByteArray &path, int *count = nullptr) const;
    int requestsTo(const QByteArray &path) const;

    ScriptedResponder *server = nullptr;
};

void tst_picture_libraries::initTestCase()
{
    contentRect = QRect(0, 50, 1200, 700);
    CurrentUser::id = QStringLiteral("10001");
    CurrentUser::token = QStringLiteral("tok");
}

void tst_picture_libraries::init()
{
    server = new ScriptedResponder(this);
    qputenv("LUMEXA_API_BASE", server->baseUrl().toUtf8());
    qputenv("LUMEXA_DOC_BASE", (server->baseUrl() + "/doc").toUtf8());
    for (const QSize &s : {QSize(200, 100), QSize(100, 100), QSize(90, 120), QSize(300, 200), QSize(270, 540)})
        server->script(QString("/doc/w%1h%2.png").arg(s.width()).arg(s.height()).toUtf8(),
                       {200, png(s.width(), s.height()), {{"Content-Type", "image/png"}}, false, 0});
    server->script("/doc/text.png", {200, "not a picture", {}, false, 0});
    server->scriptJson(Categories, categoriesJson({"学科图标", "卡通插画人物", "箭头", "基本形状", "星形与旗帜", "标注气泡", "数学"}));
}

void tst_picture_libraries::cleanup()
{
    closeMessages();
    delete server;
}

int tst_picture_libraries::requestsTo(const QByteArray &path) const
{
    int n = 0;
    for (const auto &r : server->requests)
        n += r.path == path;
    return n;
}

QJsonObject tst_picture_libraries::lastBody(const QByteArray &path, int *count) const
{
    if (count)
        *count = requestsTo(path);
    for (int i = server->requests.size() - 1; i >= 0; --i)
        if (server->requests.at(i).path == path)
            return QJsonDocument::fromJson(server->requests.at(i).body).object();
    return {};
}

void tst_picture_libraries::noCategoriesNoPages()
{
    server->scriptJson(Categories, R"({"code":0,"msg":"失败"})");
    FormBankSLK library;
    library.loadPage("1", "10", "0");
    QCOMPARE(requestsTo(Resources), 0);
    library.initialise();
    QVERIFY(library.categoryButtons().isEmpty());
    library.loadPage("1", "10", "0");
    QCOMPARE(requestsTo(Resources), 0);
}

void tst_picture_libraries::categoryButtons()
{
    FormBankSLK library;
    library.initialise();
    QCOMPARE(lastBody(Categories), (QJsonObject{{"resSort", "2"}}));
    const QStringList texts = {"学科图标", "卡通插画...", "箭头", "基本形状", "星形与旗...", "标注气泡", "数学"};
    auto *grid = library.findChild<QGridLayout *>("gridLayoutBtn");
    QVERIFY(grid);
    const QList<QPushButton *> buttons = library.categoryButtons();
    QCOMPARE(buttons.size(), 7);
    for (int i = 0; i < buttons.size(); ++i) {
        QPushButton *b = buttons.at(i);
        QCOMPARE(b->text(), texts.at(i));
        int row, column, rs, cs;
        grid->getItemPosition(grid->indexOf(b), &row, &column, &rs, &cs);
        QCOMPARE(QPoint(column, row), QPoint(i % 3, i / 3));
    }
    // Categories load once.
    library.initialise();
    QCOMPARE(requestsTo(Categories), 1);
    QCOMPARE(library.categoryButtons().size(), 7);
    QCOMPARE(library.currentCategory(), QStringLiteral("0"));
}

void tst_picture_libraries::tilesOfAPage_data()
{
    QTest::addColumn<int>("total");
    QTest::addColumn<QStringList>("files");
    QTest::addColumn<QList<int>>("tileWidths");
    QTest::addColumn<int>("pages");

    QTest::newRow("four records") << 4 << QStringList{"/w200h100.png", "/w100h100.png", "/w90h120.png", "/w300h200.png"}
                                  << QList<int>{240, 120, 90, 180, 0, 0, 0, 0, 0, 0} << 1;
    const QStringList ten = QVector<QString>(10, "/w100h100.png").toList();
    const QList<int> full = QVector<int>(10, 120).toList();
    QTest::newRow("total 30") << 30 << ten << full << 3;
    QTest::newRow("total 31") << 31 << ten << full << 4;
    QTest::newRow("failed download") << 3 << QStringList{"/w100h100.png", "/missing.png", "/w200h100.png"}
                                     << QList<int>{120, 0, 240, 0, 0, 0, 0, 0, 0, 0} << 1;
    QTest::newRow("not a picture") << 1 << QStringList{"/text.png"} << QList<int>{0, 0, 0, 0, 0, 0, 0, 0, 0, 0} << 1;
}

void tst_picture_libraries::tilesOfAPage()
{
    QFETCH(int, total);
    QFETCH(QStringList, files);
    QFETCH(QList<int>, tileWidths);
    QFETCH(int, pages);

    server->scriptJson(Resources, pageJson(total, files));
    FormBankSLK library;
    library.resize(300, 700);
    library.show();
    library.initialise();
    library.loadPage("1", "10", "0");
    QCOMPARE(lastBody(Resources), (QJsonObject{{"id", "0"}, {"pageNum", "1"}, {"pageSize", "10"}, {"resSort", "2"}}));
    const QList<QLabelImags *> tiles = library.tiles();
    QCOMPARE(tiles.size(), 10);
    QCOMPARE(widths(tiles), tileWidths);
    for (int i = 0; i < tiles.size(); ++i) {
        QCOMPARE(tiles.at(i)->height(), 120);
        QCOMPARE(tiles.at(i)->id(), i < files.size() ? QString("r%1").arg(i) : QString());
        QCOMPARE(tiles.at(i)->pixmap() && !tiles.at(i)->pixmap()->isNull(), tileWidths.at(i) > 0);
    }
    QCOMPARE(library.pageBar()->maxPage(), pages);
}

void tst_picture_libraries::failedPageKeepsCount()
{
    server->scriptJson(Resources, pageJson(31, {"/w100h100.png", "/w100h100.png"}));
    bankVLXzk library;
    library.initialise();
    library.loadPage("1", "10", "0");
    QCOMPARE(library.pageBar()->maxPage(), 4);
    server->scriptJson(Resources, "{}", 500);
    library.loadPage("2", "10", "0");
    QCOMPARE(widths(library.tiles()), QVector<int>(10, 0).toList());
    for (auto *t : library.tiles())
        QVERIFY(t->id().isEmpty());
    QCOMPARE(library.pageBar()->maxPage(), 4);
}

void tst_picture_libraries::choosingAndPaging_data()
{
    QTest::addColumn<bool>("shapes");
    QTest::addColumn<QString>("sort");
    QTest::newRow("vector library") << false << "2";
    QTest::newRow("shape library") << true << "3";
}

void tst_picture_libraries::choosingAndPaging()
{
    QFETCH(bool, shapes);
    QFETCH(QString, sort);

    server->scriptJson(Resources, pageJson(40, {"/w100h100.png"}));
    std::unique_ptr<PictureCategoryLibrary> library;
    if (shapes)
        library.reset(new bankVLXzk);
    else
        library.reset(new FormBankSLK);
    library->resize(300, 700);
    library->show();
    QVERIFY(QTest::qWaitForWindowExposed(library.get()));
    library->initialise();
    QCOMPARE(lastBody(Categories).value("resSort").toString(), sort);
    const QList<QPushButton *> buttons = library->categoryButtons();

    QTest::mouseClick(buttons.at(1), Qt::LeftButton);
    QCOMPARE(lastBody(Resources), (QJsonObject{{"id", "c2"}, {"pageNum", "1"}, {"pageSize", "10"}, {"resSort", sort}}));
    QCOMPARE(library->currentCategory(), QStringLiteral("c2"));
    QTest::mouseClick(buttons.at(4), Qt::LeftButton);
    QCOMPARE(library->currentCategory(), QStringLiteral("c5"));
    for (int i = 0; i < buttons.size(); ++i)
        QCOMPARE(buttons.at(i)->isChecked(), i == 4);
    // The checked category again: still checked, nothing sent.
    int before = requestsTo(Resources);
    QTest::mouseClick(buttons.at(4), Qt::LeftButton);
    QVERIFY(buttons.at(4)->isChecked());
    QCOMPARE(requestsTo(Resources), before);

    // The paging bar loads pages of the current category.
    QCOMPARE(library->pageBar()->maxPage(), 4);
    QPushButton *three = numberButton(library->pageBar(), "3");
    QVERIFY(three);
    QTest::mouseClick(three, Qt::LeftButton);
    QCOMPARE(lastBody(Resources), (QJsonObject{{"id", "c5"}, {"pageNum", "3"}, {"pageSize", "10"}, {"resSort", sort}}));
}

void tst_picture_libraries::publicTab()
{
    server->scriptJson(Resources, pageJson(25, {"/w200h100.png", "/missing.png", "/w100h100.png"}));
    server->scriptJson(OwnList, ownJson(3, {"/w100h100.png"}));
    bankVLTpk library;
    library.resize(300, 800);
    library.show();
    QVERIFY(QTest::qWaitForWindowExposed(&library));
    auto *frame = library.findChild<QWidget *>("frame_Public");
    auto *stack = library.findChild<QStackedWidget *>("stackedWidget");
    auto *own = library.findChild<QPushButton *>("pushButton");
    auto *pub = library.findChild<QPushButton *>("pushButton_2");
    QVERIFY(own->isChecked() && !pub->isChecked() && !frame->isVisible());
    library.loadOwnPage("1", "10");
    QCOMPARE(library.pageBar()->maxPage(), 1);

    QTest::mouseClick(pub, Qt::LeftButton);
    QVERIFY(pub->isChecked() && !own->isChecked());
    QVERIFY(frame->isVisible());
    QCOMPARE(stack->currentIndex(), 1);
    QCOMPARE(lastBody(Categories), (QJsonObject{{"resSort", "1"}}));
    // Public category names are shown whole.
    QCOMPARE(library.categoryButtons().size(), 7);
    QCOMPARE(library.categoryButtons().at(1)->text(), QStringLiteral("卡通插画人物"));
    QCOMPARE(library.categoryButtons().at(4)->text(), QStringLiteral("星形与旗帜"));
    QCOMPARE(lastBody(Resources), (QJsonObject{{"id", "0"}, {"pageNum", "1"}, {"pageSize", "10"}, {"resSort", "1"}}));
    const QList<QWidget *> tiles = library.publicContainer()->tiles();
    QCOMPARE(tiles.size(), 10);
    // 100 / 200 × 135 = 67.5; a failed picture takes no height.
    QCOMPARE(heights(tiles), (QList<int>{67, 0, 135, 0, 0, 0, 0, 0, 0, 0}));
    for (QWidget *t : tiles)
        QCOMPARE(t->width(), 135);
    QCOMPARE(library.pageBar()->maxPage(), 3);

    // The checked tab stays; the own tab keeps the public page count.
    QTest::mouseClick(pub, Qt::LeftButton);
    QVERIFY(pub->isChecked());
    QTest::mouseClick(own, Qt::LeftButton);
    QVERIFY(own->isChecked() && !pub->isChecked() && !frame->isVisible());
    QCOMPARE(stack->currentIndex(), 0);
    QCOMPARE(library.pageBar()->maxPage(), 3);
    // Back on the public tab nothing is fetched again.
    const int categories = requestsTo(Categories), pagesSent = requestsTo(Resources);
    QTest::mouseClick(pub, Qt::LeftButton);
    QCOMPARE(requestsTo(Categories), categories);
    QCOMPARE(requestsTo(Resources), pagesSent);
}

void tst_picture_libraries::searchAndPaging()
{
    server->scriptJson(Resources, pageJson(35, {"/w100h100.png"}));
    bankVLTpk library;
    library.resize(300, 800);
    library.show();
    QVERIFY(QTest::qWaitForWindowExposed(&library));
    QTest::mouseClick(library.findChild<QPushButton *>("pushButton_2"), Qt::LeftButton);
    QTest::mouseClick(library.categoryButtons().at(2), Qt::LeftButton);
    QCOMPARE(lastBody(Resources), (QJsonObject{{"id", "c3"}, {"pageNum", "1"}, {"pageSize", "10"}, {"resSort", "1"}}));

    // Key clicks carry Latin-1 only; the text is set as an input method would.
    library.findChild<QLineEdit *>("lineEdit")->setText(QStringLiteral("春天"));
    QTest::mouseClick(library.findChild<QPushButton *>("pushButton_search"), Qt::LeftButton);
    QCOMPARE(lastBody(Resources),
             (QJsonObject{{"id", "0"}, {"pageNum", "0"}, {"pageSize", "10"}, {"resSort", "1"}, {"title", "春天"}}));
    // Paging afterwards: the current category, no title.
    QTest::mouseClick(numberButton(library.pageBar(), "2"), Qt::LeftButton);
    QCOMPARE(lastBody(Resources), (QJsonObject{{"id", "c3"}, {"pageNum", "2"}, {"pageSize", "10"}, {"resSort", "1"}}));
    // An empty search still sends its title.
    library.findChild<QLineEdit *>("lineEdit")->clear();
    library.editSearch();
    QCOMPARE(lastBody(Resources).value("title"), QJsonValue(QString()));
}

void tst_picture_libraries::ownPage()
{
    server->scriptJson(OwnList, ownJson(13, {"/w270h540.png", "/missing.png", "/w300h200.png"}));
    bankVLTpk library;
    library.resize(300, 800);
    library.show();
    const int uploadHeight = library.uploadTile()->height();
    QVERIFY(uploadHeight > 0);
    for (int round = 0; round < 2; ++round) {
        library.loadOwnPage("1", "10");
        int sent = 0;
        lastBody(OwnList, &sent);
        QCOMPARE(sent, round + 1);
        ScriptedResponder::Request r;
        for (const auto &q : server->requests)
            if (q.path == OwnList)
                r = q;
        QCOMPARE(r.query, QByteArray("pageNum=1&pageSize=10"));
        QCOMPARE(QJsonDocument::fromJson(r.body).object(), (QJsonObject{{"creatorId", "10001"}, {"fileLibType", 2}}));
        const QList<QWidget *> tiles = library.ownContainer()->tiles();
        QCOMPARE(tiles.size(), 11);
        QCOMPARE(tiles.first(), static_cast<QWidget *>(library.uploadTile()));
        QCOMPARE(heights(tiles), (QList<int>{uploadHeight, 270, 0, 90, 0, 0, 0, 0, 0, 0, 0}));
        for (int i = 1; i < tiles.size(); ++i) {
            auto *t = qobject_cast<QLabelImags *>(tiles.at(i));
            QVERIFY(t);
            QCOMPARE(t->width(), 135);
            QCOMPARE(t->id(), i <= 3 ? QString("o%1").arg(i - 1) : QString());
        }
        QCOMPARE(library.ownContainer()->leftHeight() + library.ownContainer()->rightHeight(), uploadHeight + 360);
        QCOMPARE(library.pageBar()->maxPage(), 2);
    }
}

void tst_picture_libraries::overlappingLoads()
{
    // A page asked for while another one still downloads its pictures
    // replaces it; the first one stops adding tiles.
    server->script("/doc/slow.png", {200, png(100, 50), {{"Content-Type", "image/png"}}, false, 300});
    server->scriptJson(Resources, pageJson(12, {"/slow.png", "/w100h100.png"}));
    bankVLTpk library;
    bool second = false;
    QTimer::singleShot(100, &library, [&] {
        library.loadPublicPage("2", "10", "0");
        second = true;
    });
    library.loadPublicPage("1", "10", "0");
    QVERIFY(second);
    QCOMPARE(library.publicContainer()->tiles().size(), 10);
    QCOMPARE(lastBody(Resources).value("pageNum").toString(), QStringLiteral("2"));
    QCOMPARE(library.records().size(), 2);
}

void tst_picture_libraries::waterfallColumns_data()
{
    QTest::addColumn<QList<int>>("before");
    QTest::addColumn<bool>("left");
    QTest::newRow("empty") << QList<int>{} << true;
    QTest::newRow("100 and 100") << QList<int>{100, 100} << true;
    QTest::newRow("100 and 99") << QList<int>{100, 99} << false;
    QTest::newRow("99 and 100") << QList<int>{99, 100} << true;
    QTest::newRow("zero-height tiles") << QList<int>{0, 0, 0} << true;
}

void tst_picture_libraries::waterfallColumns()
{
    QFETCH(QList<int>, before);
    QFETCH(bool, left);
    bankPBLiu waterfall;
    for (int h : before) {
        auto *t = new QLabel;
        t->setFixedSize(135, h);
        waterfall.addTile(t);
    }
    const int l = waterfall.leftHeight(), r = waterfall.rightHeight();
    auto *tile = new QLabel;
    tile->setFixedSize(135, 40);
    waterfall.addTile(tile);
    QVBoxLayout *column = left ? waterfall.leftColumn() : waterfall.rightColumn();
    QCOMPARE(column->itemAt(column->count() - 1)->widget(), tile);
    QCOMPARE(waterfall.leftHeight(), l + (left ? 40 : 0));
    QCOMPARE(waterfall.rightHeight(), r + (left ? 0 : 40));
}

void tst_picture_libraries::waterfallClears()
{
    bankPBLiu waterfall;
    QList<QPointer<QLabel>> tiles;
    for (int h : {70, 50, 30, 20}) {
        auto *t = new QLabel;
        t->setFixedSize(135, h);
        waterfall.addTile(t);
        tiles << t;
    }
    QCOMPARE(waterfall.leftHeight(), 70 + 20);
    QCOMPARE(waterfall.rightHeight(), 50 + 30);

    waterfall.clearAllButFirst();
    QCOMPARE(waterfall.leftHeight(), 70);
    QCOMPARE(waterfall.rightHeight(), 0);
    QCOMPARE(waterfall.leftColumn()->count(), 1);
    QCOMPARE(waterfall.rightColumn()->count(), 0);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QVERIFY(tiles.at(0));
    QVERIFY(!tiles.at(1) && !tiles.at(2) && !tiles.at(3));
    QCOMPARE(waterfall.tiles(), QList<QWidget *>{tiles.at(0).data()});

    waterfall.clearAll();
    QCOMPARE(waterfall.leftHeight(), 0);
    QCOMPARE(waterfall.rightHeight(), 0);
    QCOMPARE(waterfall.leftColumn()->count(), 0);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QVERIFY(!tiles.at(0));
    QVERIFY(waterfall.tiles().isEmpty());
}

void tst_picture_libraries::hoverStrip_data()
{
    QTest::addColumn<QString>("id");
    QTest::addColumn<int>("kind");
    QTest::addColumn<bool>("strip");
    QTest::newRow("own picture") << "o1" << 0 << true;
    QTest::newRow("library picture") << "r1" << 1 << false;
    QTest::newRow("cleared own tile") << "" << 0 << false;
}

void tst_picture_libraries::hoverStrip()
{
    QFETCH(QString, id);
    QFETCH(int, kind);
    QFETCH(bool, strip);
    QWidget host;
    auto *tile = new QLabelImags(&host);
    tile->setInfo(id, kind);
    tile->setFixedSize(135, 90);
    host.show();
    QVERIFY(QTest::qWaitForWindowExposed(&host));
    QPushButton *button = tile->deleteButton();
    QVERIFY(!button->isVisible());
    QEvent enter(QEvent::Enter);
    QApplication::sendEvent(tile, &enter);
    QCOMPARE(button->isVisible(), strip);
    if (strip) {
        // The strip slides up from below the tile's bottom edge.
        QVERIFY(WidgetDriver::waitFor([button] { return button->pos() == QPoint(0, 70); }));
    }
    QEvent leave(QEvent::Leave);
    QApplication::sendEvent(tile, &leave);
    QVERIFY(!button->isVisible());
}

void tst_picture_libraries::deleting_data()
{
    QTest::addColumn<bool>("confirm");
    QTest::addColumn<QByteArray>("reply");
    QTest::addColumn<QStringList>("boxes");
    // A delete that goes through is driven against the platform in tst_image_library_platform.
    QTest::newRow("refused") << true << QByteArray(R"({"code":0,"msg":"图片不存在"})") << QStringList{"提示|图片删除失败。"};
    QTest::newRow("cancelled") << false << QByteArray(R"({"code":1,"msg":"成功"})") << QStringList{};
}

void tst_picture_libraries::deleting()
{
    QFETCH(bool, confirm);
    QFETCH(QByteArray, reply);
    QFETCH(QStringList, boxes);
    server->scriptJson(Delete, reply);
    BoxWatcher watcher;
    QWidget host;
    auto *tile = new QLabelImags(&host);
    tile->setInfo("o42", QLabelImags::Own);
    tile->setFixedSize(135, 90);
    host.show();
    QVERIFY(QTest::qWaitForWindowExposed(&host));
    QEvent enter(QEvent::Enter);
    QApplication::sendEvent(tile, &enter);
    QTest::mouseClick(tile->deleteButton(), Qt::LeftButton);
    messageForm *m = shownMessage();
    QVERIFY(m);
    QCOMPARE(m->message(), QStringLiteral("确定要删除图片？"));
    QVERIFY(WidgetDriver::click(m, confirm ? "pushButtonOK" : "pushButton_Cancle"));
    QCOMPARE(requestsTo(Delete), confirm ? 1 : 0);
    if (confirm)
        QCOMPARE(lastBody(Delete), (QJsonObject{{"id", "o42"}}));
    QVERIFY(!tile->isHidden());
    QCOMPARE(watcher.seen, boxes);
}

void tst_picture_libraries::uploadMessages_data()
{
    QTest::addColumn<QByteArray>("uploadReply");
    QTest::addColumn<QByteArray>("saveReply");
    QTest::addColumn<int>("saves");
    QTest::addColumn<QString>("message");
    // A successful upload is driven against the platform in tst_image_library_platform.
    QTest::newRow("upload refused") << QByteArray(R"({"code":0,"msg":"失败"})") << QByteArray(R"({"code":1})") << 0
                                    << QStringLiteral("图片上传失败，请检查网络重新尝试。");
    QTest::newRow("save refused") << QByteArray(R"({"code":1,"data":{"filepath":"/pictures/10001/a.png"}})")
                                  << QByteArray(R"({"code":0,"msg":"图片文件不存在，请先上传"})") << 1
                                  << QStringLiteral("图片保存失败，请检查网络重新尝试。");
}

void tst_picture_libraries::uploadMessages()
{
    QFETCH(QByteArray, uploadReply);
    QFETCH(QByteArray, saveReply);
    QFETCH(int, saves);
    QFETCH(QString, message);
    server->scriptJson(Upload, uploadReply);
    server->scriptJson(Save, saveReply);
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("上传.png"));
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write(png(30, 20));
    f.close();

    QLabelImagsUp tile;
    QSignalSpy uploaded(&tile, &QLabelImagsUp::shootUpload);
    QVERIFY(!tile.uploadFile(path));
    QCOMPARE(requestsTo(Save), saves);
    messageForm *m = shownMessage();
    QVERIFY(m);
    QCOMPARE(m->message(), message);
    QCOMPARE(uploaded.size(), 0);
}

LUMEXA_TEST_MAIN(tst_picture_libraries)
#include "tst_picture_libraries.moc"
