// Decks written by the platform stand-in open in LibreOffice Impress: the
// blank template deck and the seeded template and courseware decks.
#include "LumexaTest.h"
#include "PlatformFixture.h"

#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>

class tst_platform_decks : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void opensInImpress_data();
    void opensInImpress();

private:
    // Page count and first page size (points) of a PDF LibreOffice made.
    static int pdfPages(const QByteArray &pdf, QSizeF *size);
    QString m_soffice;
    QTemporaryDir m_work;
    PlatformFixture m_platform;
};

void tst_platform_decks::initTestCase()
{
    m_soffice = QStandardPaths::findExecutable("soffice");
    if (m_soffice.isEmpty())
        QSKIP("LibreOffice is not installed");
    QVERIFY2(m_platform.start({"--no-office"}), qPrintable(m_platform.error()));
}

int tst_platform_decks::pdfPages(const QByteArray &pdf, QSizeF *size)
{
    static const QRegularExpression page("/Type\\s*/Page[^s]");
    static const QRegularExpression box("/MediaBox\\s*\\[\\s*([-0-9.]+)\\s+([-0-9.]+)\\s+([-0-9.]+)\\s+([-0-9.]+)");
    const QString text = QString::fromLatin1(pdf.constData(), pdf.size()); // binary: keep what follows a NUL
    int pages = 0;
    auto it = page.globalMatch(text);
    while (it.hasNext()) {
        it.next();
        ++pages;
    }
    const auto m = box.match(text);
    if (m.hasMatch())
        *size = QSizeF(m.captured(3).toDouble() - m.captured(1).toDouble(), m.captured(4).toDouble() - m.captured(2).toDouble());
    return pages;
}

void tst_platform_decks::opensInImpress_data()
{
    QTest::addColumn<QString>("deck");
    QTest::addColumn<int>("pages");
    QTest::newRow("blank template deck") << QString() << 1;
    QTest::newRow("template") << "/doc/library/templates/template-10.pptx" << 4;
    QTest::newRow("courseware with a picture") << "/doc/courseware/cw-6.pptx" << 4;
}

void tst_platform_decks::opensInImpress()
{
    QFETCH(QString, deck);
    QFETCH(int, pages);
    QString path = m_work.filePath(QString("deck-%1.pptx").arg(pages * 100 + deck.size()));
    if (deck.isEmpty()) {
        QCOMPARE(QProcess::execute(QStringLiteral(LUMEXA_PLATFORM_BIN), {"--blank-deck", path}), 0);
    } else {
        QVERIFY(QFile::copy(m_platform.dataDir() + deck, path));
    }
    QFile f(path);
    QVERIFY(f.open(QIODevice::ReadOnly));
    QVERIFY(f.read(4) == QByteArray("PK\x03\x04"));
    f.close();

    QProcess office;
    office.start(m_soffice, {"--headless", "--norestore", "-env:UserInstallation=" + QUrl::fromLocalFile(m_work.filePath("profile")).toString(),
                             "--convert-to", "pdf", "--outdir", m_work.path(), path});
    office.closeWriteChannel();
    QVERIFY(office.waitForFinished(180000));
    QFile pdf(QFileInfo(path).absolutePath() + "/" + QFileInfo(path).completeBaseName() + ".pdf");
    QVERIFY2(pdf.open(QIODevice::ReadOnly), qPrintable(office.readAll()));
    QSizeF size;
    QCOMPARE(pdfPages(pdf.readAll(), &size), pages);
    // 16:9 widescreen.
    QVERIFY(size.height() > 0);
    QVERIFY(qAbs(size.width() / size.height() - 16.0 / 9.0) < 0.01);
}

LUMEXA_TEST_MAIN(tst_platform_decks)
#include "tst_platform_decks.moc"
