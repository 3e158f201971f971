// The two-handle range slider: span rules, movement modes under real mouse
// drags and keys.
#include "LumexaTest.h"
#include "media/SliderGeometry.h"

#include "QxtSpanSlider.h"

#include <QSignalSpy>

using Mode = QxtSpanSlider::HandleMovementMode;
using Span = QPair<int, int>; // lower, upper
Q_DECLARE_METATYPE(Qt::Key)

class tst_qxtspanslider : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void setSpan_data();
    void setSpan();
    void dragPastOtherHandle_data();
    void dragPastOtherHandle();
    void firstDragFromEqualValues_data();
    void firstDragFromEqualValues();
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

void tst_qxtspanslider::setSpan_data()
{
    QTest::addColumn<int>("lower");
    QTest::addColumn<int>("upper");
    QTest::addColumn<Span>("expect");
    QTest::newRow("reversed pair is ordered") << 30 << 10 << Span{10, 30};
    QTest::newRow("clamped to the range") << -5 << 500 << Span{0, 100};
}

void tst_qxtspanslider::setSpan()
{
    QFETCH(int, lower);
    QFETCH(int, upper);
    QFETCH(Span, expect);
    QSignalSpy spanSpy(slider, &QxtSpanSlider::spanChanged);
    slider->setSpan(lower, upper);
    QCOMPARE(span(), expect);
    QCOMPARE(spanSpy.count(), 1);
    QCOMPARE(spanSpy.first(), (QVariantList{expect.first, expect.second}));
}

void tst_qxtspanslider::dragPastOtherHandle_data()
{
    QTest::addColumn<Mode>("mode");
    QTest::addColumn<bool>("dragLower");
    QTest::addColumn<int>("target");
    QTest::addColumn<Span>("expect");
    // The span is 10..30 before every drag.
    QTest::newRow("lower, no overlapping") << QxtSpanSlider::NoOverlapping << true << 60 << Span{29, 30};
    QTest::newRow("lower, no crossing") << QxtSpanSlider::NoCrossing << true << 60 << Span{30, 30};
    QTest::newRow("lower, free: swaps") << QxtSpanSlider::FreeMovement << true << 60 << Span{30, 60};
    QTest::newRow("upper, free: swaps") << QxtSpanSlider::FreeMovement << false << 2 << Span{2, 10};
}

void tst_qxtspanslider::dragPastOtherHandle()
{
    QFETCH(Mode, mode);
    QFETCH(bool, dragLower);
    QFETCH(int, target);
    QFETCH(Span, expect);
    slider->setHandleMovementMode(mode);
    slider->setSpan(10, 30);
    QSignalSpy pressed(slider, &QxtSpanSlider::sliderPressed);
    QSignalSpy spanSpy(slider, &QxtSpanSlider::spanChanged);

    SliderGeometry::drag(slider, centreOf(dragLower ? 10 : 30), centreOf(target));

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

void tst_qxtspanslider::firstDragFromEqualValues_data()
{
    QTest::addColumn<int>("target");
    QTest::addColumn<Span>("expect");
    QTest::newRow("to the left") << 30 << Span{30, 50};
    QTest::newRow("to the right") << 70 << Span{50, 70};
}

void tst_qxtspanslider::firstDragFromEqualValues()
{
    QFETCH(int, target);
    QFETCH(Span, expect);
    slider->setHandleMovementMode(QxtSpanSlider::FreeMovement);
    slider->setSpan(50, 50);
    SliderGeometry::drag(slider, centreOf(50), centreOf(target));
    QCOMPARE(span(), expect);
}

void tst_qxtspanslider::keys_data()
{
    QTest::addColumn<Mode>("mode");
    QTest::addColumn<Qt::Key>("key");
    QTest::addColumn<Span>("before");
    QTest::addColumn<Span>("expect");
    const auto free = QxtSpanSlider::FreeMovement;
    const auto noOverlap = QxtSpanSlider::NoOverlapping;
    QTest::newRow("right moves the lower") << free << Qt::Key_Right << Span{10, 30} << Span{11, 30};
    QTest::newRow("up on horizontal moves the upper") << free << Qt::Key_Up << Span{10, 30} << Span{10, 31};
    QTest::newRow("page up moves neither") << free << Qt::Key_PageUp << Span{10, 30} << Span{10, 30};
    QTest::newRow("no overlapping stops short") << noOverlap << Qt::Key_Right << Span{29, 30} << Span{29, 30};
    QTest::newRow("free passes and swaps") << free << Qt::Key_Right << Span{30, 30} << Span{30, 31};
}

void tst_qxtspanslider::keys()
{
    QFETCH(Mode, mode);
    QFETCH(Qt::Key, key);
    QFETCH(Span, before);
    QFETCH(Span, expect);
    slider->setHandleMovementMode(mode);
    slider->setSpan(before.first, before.second);
    QTest::keyClick(slider, key);
    QCOMPARE(span(), expect);
}

LUMEXA_TEST_MAIN(tst_qxtspanslider)
#include "tst_qxtspanslider.moc"
