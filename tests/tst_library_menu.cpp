// The library menu along the courseware page: which entries show, and the
// radio behaviour of its buttons and of the two select operations.
#include "LumexaTest.h"

#include "WidgetDriver.h"
#include "bankVleft.h"

#include <QPushButton>

namespace {
const QStringList Names = {"pushButton_editclass", "pushButton_myclass", "pushButton_photo", "pushButton_photo2",
                           "pushButton_shape",     "pushButton_video",   "pushButton_mode"};

QList<int> checkedViews(bankVleft &menu)
{
    QList<int> out;
    const QList<QPushButton *> all = menu.buttons();
    for (int i = 0; i < all.size(); ++i)
        if (all.at(i)->isChecked())
            out << i;
    return out;
}

QList<int> emitted(const QSignalSpy &spy)
{
    QList<int> out;
    for (const auto &args : spy)
        out << args.at(0).toInt();
    return out;
}
}

class tst_library_menu : public QObject
{
    Q_OBJECT

private slots:
    void construction();
    void clicks_data();
    void clicks();
    void selectOperations();
};

void tst_library_menu::construction()
{
    bankVleft menu;
    menu.show();
    QVERIFY(QTest::qWaitForWindowExposed(&menu));
    for (int i = 0; i < Names.size(); ++i) {
        auto *b = menu.findChild<QPushButton *>(Names.at(i));
        QVERIFY2(b, qPrintable(Names.at(i)));
        QCOMPARE(b, menu.buttons().at(i));
        const bool library = i >= 2 && i <= 5;
        QCOMPARE(b->isVisible(), !library);
    }
    QCOMPARE(checkedViews(menu), QList<int>{1});
}

void tst_library_menu::clicks_data()
{
    QTest::addColumn<QList<int>>("clicks");
    QTest::addColumn<QList<int>>("signals_");
    QTest::addColumn<int>("checked");

    QTest::newRow("another entry") << QList<int>{0} << QList<int>{0} << 0;
    QTest::newRow("the checked entry") << QList<int>{1} << QList<int>{} << 1;
    QTest::newRow("class mode") << QList<int>{6} << QList<int>{6} << 6;
    QTest::newRow("hidden vector entry") << QList<int>{3} << QList<int>{3} << 3;
    QTest::newRow("hidden entries in turn") << QList<int>{2, 4, 5} << QList<int>{2, 4, 5} << 5;
    QTest::newRow("same entry twice") << QList<int>{0, 0} << QList<int>{0} << 0;
    QTest::newRow("away and back") << QList<int>{6, 1, 1} << QList<int>{6, 1} << 1;
}

void tst_library_menu::clicks()
{
    QFETCH(QList<int>, clicks);
    QFETCH(QList<int>, signals_);
    QFETCH(int, checked);

    bankVleft menu;
    menu.show();
    QVERIFY(QTest::qWaitForWindowExposed(&menu));
    QSignalSpy spy(&menu, &bankVleft::select_click);
    for (int view : clicks)
        QVERIFY(WidgetDriver::click(&menu, Names.at(view)));
    QCOMPARE(emitted(spy), signals_);
    QCOMPARE(checkedViews(menu), QList<int>{checked});
}

void tst_library_menu::selectOperations()
{
    bankVleft menu;
    QSignalSpy spy(&menu, &bankVleft::select_click);
    QVERIFY(WidgetDriver::click(&menu, Names.at(4)));
    menu.selectEditClass();
    QCOMPARE(checkedViews(menu), QList<int>{0});
    QCOMPARE(emitted(spy), QList<int>{4});
    menu.selectMyClass();
    QCOMPARE(checkedViews(menu), QList<int>{1});
    QCOMPARE(emitted(spy), (QList<int>{4, 1}));
    // Reported again even when it was already the checked entry.
    menu.selectMyClass();
    QCOMPARE(emitted(spy), (QList<int>{4, 1, 1}));
}

LUMEXA_TEST_MAIN(tst_library_menu)
#include "tst_library_menu.moc"
