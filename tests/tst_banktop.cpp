// The courseware editor toolbar over the real document control: open, save,
// export, cancelled dialogs, the file name and the publish button's states.
#include "LumexaTest.h"

#include "DialogAnswerer.h"
#include "DocumentHost.h"
#include "TestDecks.h"
#include "WidgetDriver.h"
#include "Widgetmain.h"
#include "bankTop.h"

#include <QLabel>
#include <QPushButton>
#include <QTemporaryDir>
#include <sys/stat.h>

namespace {

qulonglong inode(const QString &path)
{
    struct stat st;
    return ::stat(QFile::encodeName(path).constData(), &st) == 0 ? qulonglong(st.st_ino) : 0;
}

} // namespace

class tst_banktop : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void openSaveAndExport();
    void saveTwice();
    void cancelledDialogChangesNothing_data();
    void cancelledDialogChangesNothing();

private:
    QPushButton *button(const QString &name) { return WidgetDriver::find<QPushButton>(m_bar, name); }
    QString label() { return WidgetDriver::find<QLabel>(m_bar, QStringLiteral("labelName"))->text(); }
    bool waitOpened(const QString &path);

    QTemporaryDir m_dir;
    QString m_deck;
    QWidget m_page;
    bankTop *m_bar = nullptr;
};

bool tst_banktop::waitOpened(const QString &path)
{
    return WidgetDriver::waitFor([&] { return !documentControl->isLoading() && documentControl->openedPath() == path; },
                                 60000);
}

void tst_banktop::initTestCase()
{
    QVERIFY(Widgetmain::prepareCacheDirectory(m_dir.filePath(QStringLiteral("data"))));
    QVERIFY(TestDecks::write(DocumentHost::templateDeck(), {{QStringLiteral("空白课件"), QString()}}));
    m_deck = m_dir.filePath(QStringLiteral("静夜思.pptx"));
    QVERIFY(TestDecks::write(m_deck, TestDecks::numbered(3)));

    m_page.resize(1200, 760);
    m_bar = new bankTop(&m_page);
    m_bar->setGeometry(0, 0, 1200, 50);
    DocumentHost::setUp(&m_page);
    DocumentHost::place(QRect(0, 50, 1200, 710));
    DocumentHost::show();
    m_page.show();
    QVERIFY(QTest::qWaitForWindowExposed(&m_page));
    QVERIFY(waitOpened(DocumentHost::templateDeck()));
}

void tst_banktop::openSaveAndExport()
{
    QPushButton *publish = button(QStringLiteral("pushButton_FB"));
    QVERIFY(!publish->isEnabled());
    currentDocumentPath = QStringLiteral("/somewhere/published.pptx");
    {
        DialogAnswerer answer;
        answer.paths << m_deck;
        QVERIFY(WidgetDriver::click(m_bar, QStringLiteral("pushButton_open")));
        // "D:/" does not exist here: the dialog starts at home.
        QCOMPARE(answer.fileDialogs.value(0).section('|', 1, 1), QDir::homePath());
    }
    QCOMPARE(label(), QStringLiteral("静夜思.pptx"));
    QVERIFY(waitOpened(m_deck));
    QCOMPARE(documentControl->slideCount(), 3);
    QCOMPARE(currentDocumentPath, QStringLiteral("/somewhere/published.pptx")); // opening saves nothing
    // Publish waits for a save or an export.
    QVERIFY(!publish->isEnabled());
    QVERIFY(WidgetDriver::click(m_bar, QStringLiteral("pushButton1")));
    QVERIFY(publish->isEnabled());
    // The publish form took the deck: publish again only after saving again,
    // here by an export onto an older file.
    m_bar->shootOk();
    QVERIFY(!publish->isEnabled());
    const QString target = m_dir.filePath(QStringLiteral("导出的课件.pptx"));
    QVERIFY(TestEnvironment::writeFile(target, "an older export"));
    DialogAnswerer answer;
    answer.paths << target;
    QVERIFY(WidgetDriver::click(m_bar, QStringLiteral("pushButton2")));
    QCOMPARE(QFileInfo(answer.proposed.value(0)).fileName(), QStringLiteral("newfile.pptx"));
    QCOMPARE(answer.boxes.size(), 1); // the dialog asked before replacing the file
    QCOMPARE(currentDocumentPath, target);
    QCOMPARE(TestDecks::slideTexts(target).size(), documentControl->slideCount());
    QVERIFY(publish->isEnabled());
}

void tst_banktop::saveTwice()
{
    documentControl->Open(m_deck);
    QVERIFY(waitOpened(m_deck));
    const QString target = sourceDir + QStringLiteral("pptemp/newfile.pptx");

    QVERIFY(WidgetDriver::click(m_bar, QStringLiteral("pushButton1")));
    QCOMPARE(currentDocumentPath, target);
    QCOMPARE(TestDecks::slideTexts(target).size(), 3);
    const qulonglong first = inode(target);

    documentControl->newSlide();
    QVERIFY(WidgetDriver::waitFor([] { return documentControl->slideCount() == 4; }));
    // Hold the first file open: it must be deleted and written anew, not
    // rewritten in place.
    QFile holder(target);
    QVERIFY(holder.open(QIODevice::ReadOnly));
    QVERIFY(WidgetDriver::click(m_bar, QStringLiteral("pushButton1")));
    QVERIFY(inode(target) != first);
    QCOMPARE(TestDecks::slideTexts(target).size(), 4);
}

void tst_banktop::cancelledDialogChangesNothing_data()
{
    QTest::addColumn<QString>("dialogButton");
    QTest::newRow("open") << "pushButton_open";
    QTest::newRow("export") << "pushButton2";
}

void tst_banktop::cancelledDialogChangesNothing()
{
    QFETCH(QString, dialogButton);
    m_bar->shootOk();
    const QString shownLabel = label();
    const QString deck = documentControl->openedPath();
    const QString before = currentDocumentPath;
    const QStringList files = QDir(m_dir.path()).entryList(QDir::Files);
    {
        DialogAnswerer answer;
        QVERIFY(WidgetDriver::click(m_bar, dialogButton));
    }
    QVERIFY(!documentControl->isLoading());
    QCOMPARE(label(), shownLabel);
    QCOMPARE(documentControl->openedPath(), deck);
    QCOMPARE(currentDocumentPath, before);
    QCOMPARE(QDir(m_dir.path()).entryList(QDir::Files), files);
    QVERIFY(!button(QStringLiteral("pushButton_FB"))->isEnabled());
}

LUMEXA_TEST_MAIN(tst_banktop)
#include "tst_banktop.moc"
