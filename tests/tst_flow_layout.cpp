// The wrapping layout of the picture libraries, measured on real widgets of
// fixed sizes: where each lands, the height for a width, and the item list.
#include "LumexaTest.h"

#include "QFlowLayout.h"

#include <QSpacerItem>

namespace {
// A spacer that reports its own destruction.
class CountedItem : public QSpacerItem
{
public:
    explicit CountedItem(int *deaths)
        : QSpacerItem(10, 10), deaths(deaths) {}
    ~CountedItem() override { ++*deaths; }
    int *deaths;
};

QSize sizeOf(const QString &text)
{
    const QStringList p = text.split('x');
    return QSize(p.value(0).toInt(), p.value(1).toInt());
}
}

class tst_flow_layout : public QObject
{
    Q_OBJECT

private slots:
    void placement_data();
    void placement();
    void styleSpacing();
    void itemList();
    void minimumSize();
};

void tst_flow_layout::placement_data()
{
    QTest::addColumn<int>("width");
    QTest::addColumn<QString>("margins"); // left,top,right,bottom
    QTest::addColumn<int>("hSpacing");
    QTest::addColumn<int>("vSpacing");
    QTest::addColumn<QStringList>("sizes");
    QTest::addColumn<QStringList>("positions");
    QTest::addColumn<int>("height");

    QTest::newRow("one line") << 100 << QString("0,0,0,0") << 5 << 5 << QStringList{"30x20", "30x10"}
                              << QStringList{"0,0", "35,0"} << 20;
    // Right edge of the effective area: 200 - 1 - 9 = 190; 25 + 80 + 6 + 80 = 191 passes it.
    QTest::newRow("wraps every item") << 200 << QString("25,21,9,9") << 6 << 4
                                      << QStringList{"80x50", "80x30", "80x40"}
                                      << QStringList{"25,21", "25,75", "25,109"} << 158;
    // One pixel wider and the second item just fits.
    QTest::newRow("fits exactly") << 201 << QString("25,21,9,9") << 6 << 4
                                  << QStringList{"80x50", "80x30", "80x40"}
                                  << QStringList{"25,21", "111,21", "25,75"} << 124;
    QTest::newRow("line height is the tallest") << 120 << QString("0,0,0,0") << 0 << 10
                                                << QStringList{"50x20", "50x60", "50x5"}
                                                << QStringList{"0,0", "50,0", "0,70"} << 75;
    QTest::newRow("too wide stays on its line") << 100 << QString("0,0,0,0") << 5 << 5
                                                << QStringList{"300x10", "10x10"}
                                                << QStringList{"0,0", "0,15"} << 25;
    // Cleared picture tiles: no width, only the gaps between them.
    QTest::newRow("zero-width tiles") << 100 << QString("0,0,0,0") << 5 << 5
                                      << QStringList{"40x120", "0x120", "0x120"}
                                      << QStringList{"0,0", "45,0", "50,0"} << 120;
}

void tst_flow_layout::placement()
{
    QFETCH(int, width);
    QFETCH(QString, margins);
    QFETCH(int, hSpacing);
    QFETCH(int, vSpacing);
    QFETCH(QStringList, sizes);
    QFETCH(QStringList, positions);
    QFETCH(int, height);

    QWidget host;
    auto *flow = new QFlowLayout(&host, -1, hSpacing, vSpacing);
    const QStringList m = margins.split(',');
    flow->setContentsMargins(m.at(0).toInt(), m.at(1).toInt(), m.at(2).toInt(), m.at(3).toInt());
    QList<QWidget *> widgets;
    for (const QString &s : sizes) {
        auto *w = new QWidget(&host);
        w->setFixedSize(sizeOf(s));
        flow->addWidget(w);
        widgets << w;
    }
    QVERIFY(flow->hasHeightForWidth());
    QCOMPARE(flow->heightForWidth(width), height);

    host.resize(width, height);
    host.show();
    QVERIFY(QTest::qWaitForWindowExposed(&host));
    QCoreApplication::processEvents();
    for (int i = 0; i < widgets.size(); ++i) {
        const QStringList p = positions.at(i).split(',');
        QCOMPARE(widgets.at(i)->geometry(), QRect(QPoint(p.at(0).toInt(), p.at(1).toInt()), sizeOf(sizes.at(i))));
    }
}

void tst_flow_layout::styleSpacing()
{
    // Without spacings of its own the layout takes its widget's style spacing.
    QWidget host;
    auto *flow = new QFlowLayout(&host);
    flow->setContentsMargins(0, 0, 0, 0);
    const int h = host.style()->pixelMetric(QStyle::PM_LayoutHorizontalSpacing, nullptr, &host);
    const int v = host.style()->pixelMetric(QStyle::PM_LayoutVerticalSpacing, nullptr, &host);
    QVERIFY(h >= 0 && v >= 0);
    QCOMPARE(flow->horizontalSpacing(), h);
    QCOMPARE(flow->verticalSpacing(), v);
    auto *a = new QWidget(&host);
    auto *b = new QWidget(&host);
    a->setFixedSize(60, 30);
    b->setFixedSize(60, 30);
    flow->addWidget(a);
    flow->addWidget(b);
    // The end of an item must stay left of the area's last pixel column.
    QCOMPARE(flow->heightForWidth(60 + h + 61), 30);
    QCOMPARE(flow->heightForWidth(60 + h + 60), 30 + v + 30);
    flow->setGeometry(QRect(0, 0, 60 + h + 61, 30));
    QCOMPARE(b->pos(), QPoint(60 + h, 0));

    // Inside another layout it takes that layout's spacing.
    QWidget outerHost;
    auto *outer = new QVBoxLayout(&outerHost);
    outer->setSpacing(13);
    auto *inner = new QFlowLayout(-1);
    outer->addLayout(inner);
    QCOMPARE(inner->horizontalSpacing(), 13);
    QCOMPARE(inner->verticalSpacing(), 13);
}

void tst_flow_layout::itemList()
{
    int deaths = 0;
    {
        QFlowLayout flow(-1, 0, 0);
        QCOMPARE(flow.expandingDirections(), Qt::Orientations());
        auto *first = new CountedItem(&deaths);
        auto *second = new CountedItem(&deaths);
        flow.addItem(first);
        flow.addItem(second);
        flow.addItem(new CountedItem(&deaths));
        QCOMPARE(flow.count(), 3);
        QCOMPARE(flow.itemAt(0), first);
        QCOMPARE(flow.itemAt(-1), nullptr);
        QCOMPARE(flow.itemAt(3), nullptr);
        QCOMPARE(flow.takeAt(3), nullptr);
        QCOMPARE(flow.takeAt(-1), nullptr);
        QLayoutItem *taken = flow.takeAt(0);
        QCOMPARE(taken, first);
        QCOMPARE(flow.count(), 2);
        QCOMPARE(flow.itemAt(0), second);
        delete taken;
        QCOMPARE(deaths, 1);
    }
    // The layout deletes what it still holds.
    QCOMPARE(deaths, 3);
}

void tst_flow_layout::minimumSize()
{
    QWidget host;
    auto *flow = new QFlowLayout(&host, -1, 5, 5);
    flow->setContentsMargins(25, 21, 9, 9);
    for (const QSize &s : {QSize(40, 100), QSize(90, 20), QSize(10, 10)}) {
        auto *w = new QWidget(&host);
        w->setFixedSize(s);
        flow->addWidget(w);
    }
    QCOMPARE(flow->minimumSize(), QSize(90 + 25 + 9, 100 + 21 + 9));
    QCOMPARE(flow->sizeHint(), flow->minimumSize());
}

LUMEXA_TEST_MAIN(tst_flow_layout)
#include "tst_flow_layout.moc"
