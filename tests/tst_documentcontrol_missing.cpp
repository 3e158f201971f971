// Without the presentation component the control says so, and opening and
// saving still carry the deck through, so publishing keeps working.
#include "LumexaTest.h"

#include "DocumentHost.h"
#include "OfficeSession.h"
#include "OfficeWorker.h"
#include "SlideStrip.h"
#include "WidgetDriver.h"
#include "Widgetmain.h"

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
    void saveBeforeOpenWritesNothing();
    void exportThatFailsKeepsTheOldFile();
    void openAndSaveCopyTheDeck();
    void deletedSourceStillSaves();
    void failedOpenKeepsThePreviousDeck();
    void saysWhatIsMissing();

private:
    QString write(const QString &name, const QByteArray &bytes);
    static QByteArray read(const QString &path);

    QTemporaryDir m_dir;
    QWidget m_page;
};

QString tst_documentcontrol_missing::write(const QString &name, const QByteArray &bytes)
{
    const QString path = m_dir.filePath(name);
    QFile f(path);
    if (f.open(QIODevice::WriteOnly))
        f.write(bytes);
    return path;
}

QByteArray tst_documentcontrol_missing::read(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

void tst_documentcontrol_missing::initTestCase()
{
    QVERIFY(Widgetmain::prepareCacheDirectory(m_dir.filePath(QStringLiteral("data"))));
    m_page.resize(900, 600);
    DocumentHost::setUp(&m_page);
    QVERIFY(documentControl);
    QVERIFY(WidgetDriver::waitFor([] { return OfficeSession::worker()->state() == OfficeWorker::Missing; }));
    QVERIFY(!documentControl->isAvailable());
}

void tst_documentcontrol_missing::saveBeforeOpenWritesNothing()
{
    // The template deck does not exist in this cache directory.
    const QString target = m_dir.filePath(QStringLiteral("nothing.pptx"));
    QCOMPARE(documentControl->SaveAs(target, QStringLiteral("PowerPoint.Show")), 0);
    QVERIFY(!QFile::exists(target));
}

void tst_documentcontrol_missing::exportThatFailsKeepsTheOldFile()
{
    const QString own = write(QStringLiteral("own.pptx"), "the teacher's own deck");
    DocumentHost::exportTo(own);
    QCOMPARE(read(own), QByteArray("the teacher's own deck"));
    QCOMPARE(currentDocumentPath, own);
    QCOMPARE(QDir(m_dir.path()).entryList(QDir::Hidden | QDir::Files).filter(QStringLiteral(".part")), QStringList());
}

void tst_documentcontrol_missing::openAndSaveCopyTheDeck()
{
    const QString deck = write(QStringLiteral("课件.pptx"), "deck bytes \x01\x02");
    QSignalSpy opened(documentControl.data(), &DocumentControl::documentOpened);
    documentControl->Open(deck);
    QVERIFY(opened.wait());
    QCOMPARE(opened.first().at(0).toBool(), true);
    QCOMPARE(documentControl->openedPath(), deck);

    const QString target = DocumentHost::saveToWorkingFile();
    QCOMPARE(target, sourceDir + QStringLiteral("pptemp/newfile.pptx"));
    QCOMPARE(read(target), read(deck));
    QCOMPARE(currentDocumentPath, target);

    const QString exported = write(QStringLiteral("exported.pptx"), "older export");
    DocumentHost::exportTo(exported);
    QCOMPARE(read(exported), read(deck));
}

void tst_documentcontrol_missing::deletedSourceStillSaves()
{
    const QString deck = write(QStringLiteral("gone.pptx"), "soon deleted");
    QSignalSpy opened(documentControl.data(), &DocumentControl::documentOpened);
    documentControl->Open(deck);
    QVERIFY(opened.wait());
    QVERIFY(QFile::remove(deck));
    // Exporting onto the very file that was opened.
    DocumentHost::exportTo(deck);
    QCOMPARE(read(deck), QByteArray("soon deleted"));
}

void tst_documentcontrol_missing::failedOpenKeepsThePreviousDeck()
{
    const QString before = documentControl->openedPath();
    QSignalSpy opened(documentControl.data(), &DocumentControl::documentOpened);
    documentControl->Open(m_dir.filePath(QStringLiteral("missing.pptx")));
    QVERIFY(opened.wait());
    QCOMPARE(opened.first().at(0).toBool(), false);
    QCOMPARE(documentControl->openedPath(), before);
    const QString target = m_dir.filePath(QStringLiteral("after-failure.pptx"));
    QCOMPARE(documentControl->SaveAs(target, QStringLiteral("PowerPoint.Show")), 1);
    QCOMPARE(read(target), QByteArray("soon deleted"));
}

void tst_documentcontrol_missing::saysWhatIsMissing()
{
    DocumentHost::place(m_page.rect());
    DocumentHost::show();
    m_page.show();
    QVERIFY(QTest::qWaitForWindowExposed(&m_page));
    const QImage shot = documentControl->grab().toImage();
    TestEnvironment::screenshot(documentControl, QStringLiteral("missing"));
    // Text is drawn in the middle of the control, nothing at its left edge:
    // no thumbnail strip without slides to show.
    int dark = 0;
    for (int x = 0; x < shot.width(); ++x)
        if (qGray(shot.pixel(x, shot.height() / 2 - 12)) < 128 || qGray(shot.pixel(x, shot.height() / 2 + 12)) < 128)
            ++dark;
    QVERIFY(dark > 10);
    QVERIFY(!documentControl->strip()->isVisible());
}

LUMEXA_TEST_MAIN(tst_documentcontrol_missing)
#include "tst_documentcontrol_missing.moc"
