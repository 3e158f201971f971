// Measures how long a deck takes from Open to its first painted slide, and
// the longest pause of the GUI thread meanwhile. Run by scripts/bench-document
// (LUMEXA_BENCH_DIR set); skipped otherwise. One open, edit and save of a deck
// with pictures, for scripts/office-cycles (LUMEXA_CYCLE_DIR set), which runs
// it in many fresh processes to catch faults at exit.
#include "LumexaTest.h"

#include "DocumentControl.h"
#include "EditBar.h"
#include "PresentWindow.h"
#include "TestDecks.h"

#include <QElapsedTimer>
#include <QLineEdit>
#include <QTimer>
#include <algorithm>

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

// Counts paints of a widget.
class PaintCounter : public QObject
{
public:
    explicit PaintCounter(QWidget *w) { w->installEventFilter(this); }
    int count = 0;

protected:
    bool eventFilter(QObject *, QEvent *event) override
    {
        if (event->type() == QEvent::Paint)
            ++count;
        return false;
    }
};

QString medianP95(QVector<double> ms)
{
    std::sort(ms.begin(), ms.end());
    if (ms.isEmpty())
        return QStringLiteral("none");
    return QStringLiteral("median=%1 p95=%2").arg(ms.at(ms.size() / 2), 0, 'f', 1).arg(ms.at(qMin(ms.size() - 1, ms.size() * 95 / 100)), 0, 'f', 1);
}

QString benchDeck()
{
    const QString deck = qEnvironmentVariable("LUMEXA_BENCH_DIR") + QStringLiteral("/bench-20.pptx");
    if (!QFile::exists(deck))
        TestDecks::write(deck, TestDecks::numbered(20, true, 1600));
    return deck;
}

} // namespace

class tst_documentcontrol_bench : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void openToFirstPaint();
    void openMediaDeck();
    void officeCycle();
    void typingAndPresenting();
};

void tst_documentcontrol_bench::init()
{
    if (qEnvironmentVariableIsEmpty("LUMEXA_BENCH_DIR") && qEnvironmentVariableIsEmpty("LUMEXA_CYCLE_DIR"))
        QSKIP("run by scripts/bench-document and scripts/office-cycles");
}

// Key press to the slide painted with the new glyph, while typing 100
// characters into a text box of a 20-slide deck, beside the same keys typed
// into a line edit; then the slide show's next slide to painted, beside a
// jump to a slide not rendered yet.
void tst_documentcontrol_bench::typingAndPresenting()
{
    StallProbe probe;
    QElapsedTimer clock;
    DocumentControl control;
    control.resize(1280, 800);
    control.show();
    QVERIFY(QTest::qWaitForWindowExposed(&control));
    {
        QSignalSpy painted(&control, &DocumentControl::slidePainted);
        control.Open(benchDeck());
        QVERIFY(painted.wait(120000));
    }
    QCOMPARE(control.slideCount(), 20);

    // A text box drawn with the bar's tool on the first slide.
    QWidget *tool = control.editBar()->widgetForAction(control.editBar()->action(".uno:Text"));
    QTest::mouseClick(tool, Qt::LeftButton);
    const QRect r = control.slideRect();
    const QPoint from = r.topLeft() + QPoint(r.width() / 10, r.height() * 8 / 10);
    const QPoint to = r.topLeft() + QPoint(r.width() * 9 / 10, r.height() * 95 / 100);
    QTest::mousePress(&control, Qt::LeftButton, Qt::NoModifier, from);
    QMouseEvent move(QEvent::MouseMove, to, control.mapToGlobal(to), Qt::NoButton, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(&control, &move);
    QTest::mouseRelease(&control, Qt::LeftButton, Qt::NoModifier, to);
    QTest::qWait(1000);

    QVector<double> office;
    QSignalSpy painted(&control, &DocumentControl::slidePainted);
    probe.start();
    for (int i = 0; i < 100; ++i) {
        painted.clear();
        clock.start();
        QTest::keyClick(&control, char('a' + i % 26));
        if (!painted.wait(2000))
            continue;
        office.append(clock.nsecsElapsed() / 1e6);
    }
    const double typingStall = probe.stop();
    qInfo("BENCH typing_key_to_glyph_ms %s (%d of 100 painted) longest_gui_stall_ms=%.1f", qPrintable(medianP95(office)),
          office.size(), typingStall);

    QLineEdit line;
    line.show();
    QVERIFY(QTest::qWaitForWindowExposed(&line));
    PaintCounter paints(&line);
    QVector<double> plain;
    probe.start();
    for (int i = 0; i < 100; ++i) {
        const int before = paints.count;
        clock.start();
        QTest::keyClick(&line, char('a' + i % 26));
        while (paints.count == before && clock.elapsed() < 2000)
            QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
        plain.append(clock.nsecsElapsed() / 1e6);
    }
    qInfo("BENCH baseline_line_edit_key_to_glyph_ms %s longest_gui_stall_ms=%.1f", qPrintable(medianP95(plain)), probe.stop());
    QTest::keyClick(&control, Qt::Key_Escape);
    QTest::keyClick(&control, Qt::Key_Escape);

    control.present(false);
    PresentWindow *show = control.presentWindow();
    QVERIFY(show);
    QSignalSpy shown(show, &PresentWindow::slideShown);
    QVERIFY(shown.wait(20000));
    QTest::qWait(300);
    QVector<double> next, jump;
    probe.start();
    for (int i = 1; i < 20; ++i) {
        shown.clear();
        clock.start();
        QTest::keyClick(show, Qt::Key_Right);
        if (shown.isEmpty() && !shown.wait(5000))
            continue;
        next.append(clock.nsecsElapsed() / 1e6);
        QTest::qWait(50);
    }
    const double nextStall = probe.stop();
    // Back to slides far apart, none of them rendered any more.
    for (int i : {2, 10, 5, 15, 8}) {
        shown.clear();
        clock.start();
        for (const QChar c : QString::number(i + 1))
            QTest::keyClick(show, c.toLatin1());
        QTest::keyClick(show, Qt::Key_Return);
        if (shown.isEmpty() && !shown.wait(5000))
            continue;
        jump.append(clock.nsecsElapsed() / 1e6);
        QTest::qWait(50);
    }
    qInfo("BENCH present_next_to_painted_ms %s longest_gui_stall_ms=%.1f", qPrintable(medianP95(next)), nextStall);
    qInfo("BENCH baseline_present_jump_unrendered_ms %s (%d x %d)", qPrintable(medianP95(jump)), show->renderSize().width(),
          show->renderSize().height());
    QTest::keyClick(show, Qt::Key_Escape);
}

void tst_documentcontrol_bench::openToFirstPaint()
{
    const QString dir = qEnvironmentVariable("LUMEXA_BENCH_DIR");
    const QString deck = benchDeck();
    QVERIFY(QFile::exists(deck));
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
