// The two-handle range slider in the free movement the editing page uses:
// span rules under real mouse drags and keys.
#include "LumexaTest.h"
#include "WidgetDriver.h"
#include "media/SliderGeometry.h"

#include "QxtSpanSlider.h"

using Span = QPair<int, int>; // lower, upper
Q_DECLARE_METATYPE(Qt::Key)

class tst_qxtspanslider : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void dragPastOtherHandle_data();
    void dragPastOtherHandle();
    void keys_data();
    void keys();

private:
    QPoint centreOf(int value) const { return SliderGeometry::handleRect(slider, value).center(); }
    Span span() const { return {slider->lowerValue(), slider->upperValue()}; }

    QxtSpanSlider *slider = nullptr;
};

void tst_qxtspanslider::init()
{
    slider = new QxtSpanSlider(Qt::Horizontal);
    slider->setRange(0, 100);
    slider->resize(400, 30);
    slider->show();
    QVERIFY(QTest::qWaitForWindowExposed(slider));
}

void tst_qxtspanslider::cleanup()
{
    TestEnvironment::screenshotIfFailed(slider);
    delete slider;
    slider = nullptr;
}

void tst_qxtspanslider::dragPastOtherHandle_data()
{
    QTest::addColumn<Span>("before");
    QTest::addColumn<bool>("dragLower");
    QTest::addColumn<int>("target");
    QTest::addColumn<Span>("expect");
    QTest::newRow("lower, free: swaps") << Span{10, 30} << true << 60 << Span{30, 60};
    QTest::newRow("upper, free: swaps") << Span{10, 30} << false << 2 << Span{2, 10};
    // The first drag from equal values: the upper handle is taken.
    QTest::newRow("equal, free: to the left") << Span{50, 50} << false << 30 << Span{30, 50};
    QTest::newRow("equal, free: to the right") << Span{50, 50} << false << 70 << Span{50, 70};
}

void tst_qxtspanslider::dragPastOtherHandle()
{
    QFETCH(Span, before);
    QFETCH(bool, dragLower);
    QFETCH(int, target);
    QFETCH(Span, expect);
    slider->setSpan(before.first, before.second);
    QSignalSpy pressed(slider, &QxtSpanSlider::sliderPressed);
    QSignalSpy spanSpy(slider, &QxtSpanSlider::spanChanged);

    WidgetDriver::drag(slider, centreOf(dragLower ? before.first : before.second), centreOf(target));

    QCOMPARE(pressed.count(), 1);
    QCOMPARE(pressed.first().at(0).value<QxtSpanSlider::SpanHandle>(),
             dragLower ? QxtSpanSlider::LowerHandle : QxtSpanSlider::UpperHandle);
    QCOMPARE(span(), expect);
    QVERIFY(!slider->isSliderDown());
    // Every reported span was ordered and inside the range.
    for (const QVariantList &s : spanSpy) {
        QVERIFY(s.at(0).toInt() <= s.at(1).toInt());
        QVERIFY(s.at(0).toInt() >= 0 && s.at(1).toInt() <= 100);
    }
    QCOMPARE(spanSpy.last(), (QVariantList{expect.first, expect.second}));
}

void tst_qxtspanslider::keys_data()
{
    QTest::addColumn<Qt::Key>("key");
    QTest::addColumn<Span>("before");
    QTest::addColumn<Span>("expect");
    QTest::newRow("right moves the lower") << Qt::Key_Right << Span{10, 30} << Span{11, 30};
    QTest::newRow("up on horizontal moves the upper") << Qt::Key_Up << Span{10, 30} << Span{10, 31};
    QTest::newRow("page up moves neither") << Qt::Key_PageUp << Span{10, 30} << Span{10, 30};
    QTest::newRow("free passes and swaps") << Qt::Key_Right << Span{30, 30} << Span{30, 31};
}

void tst_qxtspanslider::keys()
{
    QFETCH(Qt::Key, key);
    QFETCH(Span, before);
    QFETCH(Span, expect);
    slider->setSpan(before.first, before.second);
    QTest::keyClick(slider, key);
    QCOMPARE(span(), expect);
}

LUMEXA_TEST_MAIN(tst_qxtspanslider)
#include "tst_qxtspanslider.moc"
