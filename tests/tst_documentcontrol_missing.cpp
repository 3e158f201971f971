// Without the presentation component the control says so, and opening and
// saving still carry the deck through, so publishing keeps working.
#include "LumexaTest.h"

#include "DocumentHost.h"
#include "OfficeSession.h"
#include "OfficeWorker.h"
#include "SlideStrip.h"
#include "WidgetDriver.h"
#include "Widgetmain.h"
#include "media/TestMedia.h"

#include <QTemporaryDir>

class tst_documentcontrol_missing : public QObject
{
    Q_OBJECT

public:
    tst_documentcontrol_missing()
    {
        // Read when the office is first started.
        qputenv("LUMEXA_OFFICE_PROGRAM", QFile::encodeName(m_dir.filePath(QStringLiteral("no-office"))));
    }

private slots:
    void initTestCase();
    void exportThatFailsKeepsTheOldFile();
    void deletedSourceStillSaves();
    void saysWhatIsMissing();

private:
    QString write(const QString &name, const QByteArray &bytes);
    static bool open(const QString &path);

    QTemporaryDir m_dir;
    QWidget m_page;
};

QString tst_documentcontrol_missing::write(const QString &name, const QByteArray &bytes)
{
    const QString path = m_dir.filePath(name);
    TestEnvironment::writeFile(path, bytes);
    return path;
}

bool tst_documentcontrol_missing::open(const QString &path)
{
    QSignalSpy opened(documentControl.data(), &DocumentControl::documentOpened);
    documentControl->Open(path);
    return opened.wait() && opened.first().at(0).toBool();
}

void tst_documentcontrol_missing::initTestCase()
{
    QVERIFY(Widgetmain::prepareCacheDirectory(m_dir.filePath(QStringLiteral("data"))));
    m_page.resize(900, 600);
    DocumentHost::setUp(&m_page);
    QVERIFY(documentControl);
    QVERIFY(WidgetDriver::waitFor([] { return OfficeSession::worker()->state() == OfficeWorker::Missing; }));
}

// Nothing is open, and the template deck does not exist in this cache
// directory: saving writes nothing, exporting keeps what was there.
void tst_documentcontrol_missing::exportThatFailsKeepsTheOldFile()
{
    const QString target = m_dir.filePath(QStringLiteral("nothing.pptx"));
    QCOMPARE(documentControl->SaveAs(target, QStringLiteral("PowerPoint.Show")), 0);
    QVERIFY(!QFile::exists(target));
    const QString own = write(QStringLiteral("own.pptx"), "the teacher's own deck");
    DocumentHost::exportTo(own);
    QCOMPARE(TestEnvironment::readFile(own), QByteArray("the teacher's own deck"));
    QCOMPARE(currentDocumentPath, own);
    QCOMPARE(QDir(m_dir.path()).entryList(QDir::Hidden | QDir::Files).filter(QStringLiteral(".part")), QStringList());
}

// The deck is copied when it opens: saving and exporting work even after
// the teacher's file is gone, onto that very file too, and after a deck
// that fails to open.
void tst_documentcontrol_missing::deletedSourceStillSaves()
{
    const QByteArray bytes("deck bytes \x01\x02");
    const QString deck = write(QStringLiteral("课件.pptx"), bytes);
    QVERIFY(open(deck));
    QVERIFY(QFile::remove(deck));

    const QString target = DocumentHost::saveToWorkingFile();
    QCOMPARE(target, sourceDir + QStringLiteral("pptemp/newfile.pptx"));
    QCOMPARE(TestEnvironment::readFile(target), bytes);
    QCOMPARE(currentDocumentPath, target);
    DocumentHost::exportTo(deck);
    QCOMPARE(TestEnvironment::readFile(deck), bytes);
    QVERIFY(!open(m_dir.filePath(QStringLiteral("missing.pptx"))));
    QCOMPARE(documentControl->openedPath(), deck);
    const QString exported = write(QStringLiteral("exported.pptx"), "older export");
    DocumentHost::exportTo(exported);
    QCOMPARE(TestEnvironment::readFile(exported), bytes);
}

void tst_documentcontrol_missing::saysWhatIsMissing()
{
    DocumentHost::place(m_page.rect());
    DocumentHost::show();
    m_page.show();
    QVERIFY(QTest::qWaitForWindowExposed(&m_page));
    const QImage shot = documentControl->grab().toImage();
    TestEnvironment::screenshot(documentControl, QStringLiteral("missing"));
    // Text is drawn in the middle of the control; no thumbnail strip
    // without slides to show.
    QVERIFY(TestMedia::colourCount(shot, QRect(0, shot.height() / 2 - 12, shot.width(), 25)) > 2);
    QVERIFY(!documentControl->strip()->isVisible());
}

LUMEXA_TEST_MAIN(tst_documentcontrol_missing)
#include "tst_documentcontrol_missing.moc"
