// The wrapping layout of the picture libraries, measured on real widgets of
// fixed sizes: where each lands and the height for a width.
#include "LumexaTest.h"

#include "QFlowLayout.h"

namespace {
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

    // Right edge of the effective area: 200 - 1 - 9 = 190; 25 + 80 + 6 + 80 = 191 passes it.
    QTest::newRow("wraps every item") << 200 << QString("25,21,9,9") << 6 << 4
                                      << QStringList{"80x50", "80x30", "80x40"}
                                      << QStringList{"25,21", "25,75", "25,109"} << 158;
    // One pixel wider and the second item just fits.
    QTest::newRow("fits exactly") << 201 << QString("25,21,9,9") << 6 << 4
                                  << QStringList{"80x50", "80x30", "80x40"}
                                  << QStringList{"25,21", "111,21", "25,75"} << 124;
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

LUMEXA_TEST_MAIN(tst_flow_layout)
#include "tst_flow_layout.moc"
