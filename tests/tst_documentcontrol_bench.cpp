// Measures how long a deck takes from Open to its first painted slide, and
// the longest pause of the GUI thread meanwhile. Run by scripts/bench-document
// (LUMEXA_BENCH_DIR set); skipped otherwise. One open, edit and save of a deck
// with pictures, for scripts/office-cycles (LUMEXA_CYCLE_DIR set), which runs
// it in many fresh processes to catch faults at exit.
#include "LumexaTest.h"

#include "DocumentControl.h"
#include "TestDecks.h"

#include <QElapsedTimer>
#include <QTimer>

namespace {

// Ticks on the GUI thread as fast as it can and keeps the longest gap.
class StallProbe : public QObject
{
public:
    StallProbe()
    {
        m_timer.setTimerType(Qt::PreciseTimer);
        m_timer.setInterval(1);
        connect(&m_timer, &QTimer::timeout, this, [this] {
            const qint64 now = m_clock.nsecsElapsed();
            m_longest = qMax(m_longest, now - m_last);
            m_last = now;
        });
    }
    void start()
    {
        m_longest = 0;
        m_clock.start();
        m_last = 0;
        m_timer.start();
    }
    double stop()
    {
        m_timer.stop();
        return m_longest / 1e6;
    }

private:
    QTimer m_timer;
    QElapsedTimer m_clock;
    qint64 m_last = 0;
    qint64 m_longest = 0;
};

} // namespace

class tst_documentcontrol_bench : public QObject
{
    Q_OBJECT

private slots:
    void openToFirstPaint();
    void openMediaDeck();
    void officeCycle();
};

void tst_documentcontrol_bench::openToFirstPaint()
{
    const QString dir = qEnvironmentVariable("LUMEXA_BENCH_DIR");
    if (dir.isEmpty())
        QSKIP("set LUMEXA_BENCH_DIR (scripts/bench-document) to run the benchmark");
    const QString deck = dir + QStringLiteral("/bench-20.pptx");
    if (!QFile::exists(deck))
        QVERIFY(TestDecks::write(deck, TestDecks::numbered(20, true, 1600)));
    qInfo("BENCH deck_bytes=%lld", QFileInfo(deck).size());

    StallProbe probe;
    QElapsedTimer clock;
    DocumentControl control;
    control.resize(1280, 800);
    control.show();
    QVERIFY(QTest::qWaitForWindowExposed(&control));

    // The first round starts the office as well; the second reopens.
    for (const char *round : {"cold", "warm"}) {
        QSignalSpy painted(&control, &DocumentControl::slidePainted);
        probe.start();
        clock.start();
        control.Open(deck);
        QVERIFY(painted.wait(120000));
        const qint64 firstPaint = clock.elapsed();
        const double stall = probe.stop();
        QCOMPARE(control.slideCount(), 20);
        qInfo("BENCH %s_open_to_first_paint_ms=%lld %s_longest_gui_stall_ms=%.1f", round, firstPaint, round, stall);
    }

    probe.start();
    clock.start();
    const int saved = control.SaveAs(dir + QStringLiteral("/bench-saved.pptx"), QStringLiteral("PowerPoint.Show"));
    const qint64 saveMs = clock.elapsed();
    const double saveStall = probe.stop();
    QCOMPARE(saved, 1);
    qInfo("BENCH save_ms=%lld save_longest_gui_stall_ms=%.1f", saveMs, saveStall);
}

// A deck with three embedded sounds, made by scripts/bench-document; the
// office is already running from the rounds before.
void tst_documentcontrol_bench::openMediaDeck()
{
    const QString deck = qEnvironmentVariable("LUMEXA_BENCH_DIR") + QStringLiteral("/media-3.pptx");
    if (!QFile::exists(deck))
        QSKIP("scripts/bench-document makes the deck with sounds");
    DocumentControl control;
    control.resize(1280, 800);
    control.show();
    QVERIFY(QTest::qWaitForWindowExposed(&control));
    QSignalSpy opened(&control, &DocumentControl::documentOpened);
    QElapsedTimer clock;
    clock.start();
    control.Open(deck);
    QVERIFY(opened.wait(120000));
    // The office reports the deck opened only after it has rendered its
    // first slide; a paint alone could be a late one of the deck before.
    const qint64 openMs = clock.elapsed();
    QVERIFY(opened.first().at(0).toBool());
    QCOMPARE(control.slideCount(), 1);
    qInfo("BENCH media_open_to_rendered_ms=%lld", openMs);
}

void tst_documentcontrol_bench::officeCycle()
{
    const QString dir = qEnvironmentVariable("LUMEXA_CYCLE_DIR");
    if (dir.isEmpty())
        QSKIP("set LUMEXA_CYCLE_DIR (scripts/office-cycles) to run a cycle");
    const QString deck = dir + QStringLiteral("/cycle.pptx");
    if (!QFile::exists(deck))
        QVERIFY(TestDecks::write(deck, TestDecks::numbered(3, true, 1200)));

    DocumentControl control;
    control.resize(1100, 680);
    control.show();
    QVERIFY(QTest::qWaitForWindowExposed(&control));
    QSignalSpy opened(&control, &DocumentControl::documentOpened);
    QSignalSpy painted(&control, &DocumentControl::slidePainted);
    control.Open(deck);
    QVERIFY(opened.wait(120000));
    QVERIFY(painted.count() > 0 || painted.wait(20000));
    QSignalSpy counted(&control, &DocumentControl::slideCountChanged);
    control.newSlide();
    QVERIFY(counted.wait(20000));
    const QRect r = control.slideRect();
    QTest::mouseClick(&control, Qt::LeftButton, Qt::NoModifier, r.topLeft() + QPoint(r.width() / 2, r.height() / 8));
    QTest::keyClicks(&control, "cycle");
    QTest::keyClick(&control, Qt::Key_Escape);
    const QString out = dir + QStringLiteral("/saved.pptx");
    QCOMPARE(control.SaveAs(out, QStringLiteral("PowerPoint.Show")), 1);
    QCOMPARE(TestDecks::slideTexts(out).value(1), QStringLiteral("cycle"));
}

LUMEXA_TEST_MAIN(tst_documentcontrol_bench)
#include "tst_documentcontrol_bench.moc"
