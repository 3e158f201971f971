// The two paging bars: the window of number buttons, navigation enabling,
// page counts, button clicks, the jump input and the signals they report.
#include "LumexaTest.h"

#include "PageWidget.h"
#include "PageWidget2.h"
#include "WidgetDriver.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpression>

namespace {
QList<QPushButton *> numberButtons(PageWidgetBase *bar)
{
    QList<QPushButton *> out;
    for (QPushButton *b : bar->findChildren<QPushButton *>(QRegularExpression("^pageButton\\d$")))
        if (!b->isHidden())
            out << b;
    std::sort(out.begin(), out.end(), [](QPushButton *a, QPushButton *b) { return a->objectName() < b->objectName(); });
    return out;
}

// The number buttons, the checked one in brackets, then the enabled state
// of first, previous, next, last as "1"/"0": "1,[2],3,4 1111".
QString state(PageWidgetBase *bar)
{
    QStringList texts;
    for (QPushButton *b : numberButtons(bar))
        texts << (b->isChecked() ? "[" + b->text() + "]" : b->text());
    QString nav;
    for (const char *name : {"firstPageButton", "previousPageButton", "nextPageButton", "lastPageButton"})
        nav += bar->findChild<QPushButton *>(name)->isEnabled() ? '1' : '0';
    return texts.join(',') + " " + nav;
}

QLineEdit *input(PageWidgetBase *bar)
{
    return bar->findChild<QLineEdit *>("pageLineEdit");
}

QString warning(PageWidgetBase *bar)
{
    return bar->findChild<QLabel *>("warningLabel")->text();
}

void typePage(PageWidgetBase *bar, const QString &text)
{
    QLineEdit *edit = input(bar);
    edit->clear();
    QTest::keyClicks(edit, text);
    QTest::keyClick(edit, Qt::Key_Return);
}
}

class tst_page_widget : public QObject
{
    Q_OBJECT

private slots:
    void pageWindow_data();
    void pageWindow();
    void countShrinksBelowCurrentPage();
    void jumpInput_data();
    void jumpInput();
};

void tst_page_widget::pageWindow_data()
{
    QTest::addColumn<int>("pages");
    QTest::addColumn<int>("page");
    QTest::addColumn<QString>("expected");
    QTest::newRow("10 pages, page 1") << 10 << 1 << "[1],2,3,4 0011";
    QTest::newRow("10 pages, page 4") << 10 << 4 << "2,3,[4],5 1111";
    QTest::newRow("10 pages, page 9") << 10 << 9 << "7,8,[9],10 1111";
    QTest::newRow("10 pages, page 10") << 10 << 10 << "7,8,9,[10] 1100";
    QTest::newRow("4 pages, page 4") << 4 << 4 << "1,2,3,[4] 1100";
    QTest::newRow("1 page") << 1 << 1 << "[1] 0000";
    QTest::newRow("no pages") << 0 << 1 << " 0000";
}

void tst_page_widget::pageWindow()
{
    QFETCH(int, pages);
    QFETCH(int, page);
    QFETCH(QString, expected);
    for (bool full : {false, true}) {
        std::unique_ptr<PageWidgetBase> bar(full ? static_cast<PageWidgetBase *>(new PageWidget2)
                                                 : new PageWidget);
        bar->setMaxPage(pages);
        bar->changePageNum(page);
        QCOMPARE(state(bar.get()), expected);
        QCOMPARE(bar->findChild<QLabel *>("pageCountLabel")->text(), QString::number(pages));
    }
}

void tst_page_widget::countShrinksBelowCurrentPage()
{
    PageWidget2 bar;
    QSignalSpy changed(&bar, &PageWidget2::currentPageChanged);
    bar.setMaxPage(5);
    QVERIFY(WidgetDriver::click(&bar, "lastPageButton"));
    bar.setMaxPage(2); // a new query with fewer records
    QCOMPARE(bar.currentPage(), 2);
    QCOMPARE(state(&bar), QStringLiteral("1,[2] 1100"));
    QCOMPARE(changed.size(), 2);
    QCOMPARE(changed.last().at(0).toInt(), 2);
    // The dropped buttons are gone after the next turn of the event loop.
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QCOMPARE(bar.findChildren<QPushButton *>(QRegularExpression("^pageButton\\d$")).size(), 2);

    // A count that grows again adds buttons but leaves the page where it was.
    bar.setMaxPage(8);
    QCOMPARE(bar.currentPage(), 2);
    QCOMPARE(state(&bar), QStringLiteral("1,[2],3,4 1111"));
    // The arrows step from the page shown, not from the one clicked before the shrink.
    QVERIFY(WidgetDriver::click(&bar, "previousPageButton"));
    QCOMPARE(bar.currentPage(), 1);

    // Through an empty count the bar stays on page 1, not 0.
    bar.setMaxPage(0);
    bar.setMaxPage(3);
    QCOMPARE(bar.currentPage(), 1);
    QCOMPARE(state(&bar), QStringLiteral("[1],2,3 0011"));
}

void tst_page_widget::jumpInput_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<int>("page");
    QTest::addColumn<QString>("inputAfter");
    QTest::addColumn<QString>("warning");
    QTest::newRow("leading zeros") << "0007" << 7 << "7" << "";
    QTest::newRow("only zeros") << "000" << 1 << "000" << "Input Error!";
    QTest::newRow("beyond the count") << "12" << 1 << "12" << "No Page!";
    QTest::newRow("too large for a number") << "99999999999" << 1 << "99999999999" << "No Page!";
}

void tst_page_widget::jumpInput()
{
    QFETCH(QString, typed);
    QFETCH(int, page);
    QFETCH(QString, inputAfter);
    QFETCH(QString, warning);
    PageWidget2 bar;
    bar.setMaxPage(9);
    QSignalSpy changed(&bar, &PageWidget2::currentPageChanged);
    typePage(&bar, typed);
    QCOMPARE(bar.currentPage(), page);
    QCOMPARE(input(&bar)->text(), inputAfter);
    QCOMPARE(::warning(&bar), warning);
    QCOMPARE(changed.size(), page == 1 ? 0 : 1);
    QVERIFY(state(&bar).contains(QStringLiteral("[%1]").arg(page)));

    // The next edit clears the warning.
    typePage(&bar, "2");
    QCOMPARE(::warning(&bar), QString());
    QCOMPARE(bar.currentPage(), 2);
}

LUMEXA_TEST_MAIN(tst_page_widget)
#include "tst_page_widget.moc"
