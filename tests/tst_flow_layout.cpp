// The wrapping layout of the picture libraries, measured on real widgets of
// fixed sizes: where each lands and the height for a width.
#include "LumexaTest.h"

#include "QFlowLayout.h"

Q_DECLARE_METATYPE(QMargins)

class tst_flow_layout : public QObject
{
    Q_OBJECT

private slots:
    void placement_data();
    void placement();
};

void tst_flow_layout::placement_data()
{
    QTest::addColumn<int>("width");
    QTest::addColumn<QMargins>("margins");
    QTest::addColumn<int>("hSpacing");
    QTest::addColumn<int>("vSpacing");
    QTest::addColumn<QList<QRect>>("geometries"); // each item's size and where it lands
    QTest::addColumn<int>("height");

    // Right edge of the effective area: 200 - 1 - 9 = 190; 25 + 80 + 6 + 80 = 191 passes it.
    QTest::newRow("wraps every item") << 200 << QMargins(25, 21, 9, 9) << 6 << 4
                                      << QList<QRect>{{25, 21, 80, 50}, {25, 75, 80, 30}, {25, 109, 80, 40}} << 158;
    // One pixel wider and the second item just fits.
    QTest::newRow("fits exactly") << 201 << QMargins(25, 21, 9, 9) << 6 << 4
                                  << QList<QRect>{{25, 21, 80, 50}, {111, 21, 80, 30}, {25, 75, 80, 40}} << 124;
    QTest::newRow("too wide stays on its line") << 100 << QMargins() << 5 << 5
                                                << QList<QRect>{{0, 0, 300, 10}, {0, 15, 10, 10}} << 25;
    // Cleared picture tiles: no width, only the gaps between them.
    QTest::newRow("zero-width tiles") << 100 << QMargins() << 5 << 5
                                      << QList<QRect>{{0, 0, 40, 120}, {45, 0, 0, 120}, {50, 0, 0, 120}} << 120;
}

void tst_flow_layout::placement()
{
    QFETCH(int, width);
    QFETCH(QMargins, margins);
    QFETCH(int, hSpacing);
    QFETCH(int, vSpacing);
    QFETCH(QList<QRect>, geometries);
    QFETCH(int, height);

    QWidget host;
    auto *flow = new QFlowLayout(&host, -1, hSpacing, vSpacing);
    flow->setContentsMargins(margins);
    QList<QWidget *> widgets;
    for (const QRect &g : geometries) {
        auto *w = new QWidget(&host);
        w->setFixedSize(g.size());
        flow->addWidget(w);
        widgets << w;
    }
    QVERIFY(flow->hasHeightForWidth());
    QCOMPARE(flow->heightForWidth(width), height);

    host.resize(width, height);
    host.show();
    QVERIFY(QTest::qWaitForWindowExposed(&host));
    QCoreApplication::processEvents();
    for (int i = 0; i < widgets.size(); ++i)
        QCOMPARE(widgets.at(i)->geometry(), geometries.at(i));
}

LUMEXA_TEST_MAIN(tst_flow_layout)
#include "tst_flow_layout.moc"
