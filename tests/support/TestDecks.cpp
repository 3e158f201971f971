#include "TestDecks.h"

#include "DeckWriter.h"

#include <QBuffer>
#include <QDir>
#include <QFileInfo>
#include <QImage>
#include <QLinearGradient>
#include <QPainter>
#include <QProcess>
#include <QTemporaryDir>
#include <QUrl>
#include <QXmlStreamReader>

namespace {

// Large pictures are photo-like and stored as JPEG.
const char *pictureFormat(int width)
{
    return width > 800 ? "jpg" : "png";
}

QByteArray picture(int seed, int width)
{
    const int height = width * 5 / 8;
    QImage image(width, height, QImage::Format_RGB32);
    QPainter p(&image);
    QLinearGradient g(0, 0, width, height);
    g.setColorAt(0, QColor::fromHsv((seed * 47) % 360, 200, 230));
    g.setColorAt(1, QColor::fromHsv((seed * 47 + 120) % 360, 200, 160));
    p.fillRect(image.rect(), g);
    p.setPen(Qt::NoPen);
    // Many soft shapes make a picture that compresses like a photograph.
    quint32 state = quint32(seed) * 2654435761u + 1;
    auto next = [&state](int range) {
        state = state * 1664525u + 1013904223u;
        return int((state >> 8) % quint32(range));
    };
    const int shapes = width / 4;
    for (int i = 0; i < shapes; ++i) {
        p.setBrush(QColor::fromHsv(next(360), 120 + next(130), 120 + next(130), 60 + next(120)));
        const int r = 4 + next(qMax(8, width / 12));
        p.drawEllipse(QPoint(next(width), next(height)), r, r * (50 + next(100)) / 100);
    }
    p.end();
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, pictureFormat(width));
    return bytes;
}

// Runs the office with a profile of its own: it must not share one with an
// office running inside the test process.
bool runOffice(const QString &profile, const QStringList &args)
{
    QProcess soffice;
    soffice.setProcessChannelMode(QProcess::MergedChannels);
    soffice.start(QStringLiteral("soffice"),
                  QStringList{QStringLiteral("-env:UserInstallation=") + QUrl::fromLocalFile(profile).toString(),
                              QStringLiteral("--headless")} + args);
    soffice.closeWriteChannel();
    if (!soffice.waitForFinished(120000) || soffice.exitCode() != 0) {
        qWarning("soffice failed: %s", soffice.readAll().constData());
        return false;
    }
    return true;
}

// Stores a deck encrypted: the command line cannot, a macro can.
const char ProtectMacro[] = R"(
Sub Protect(src As String, dst As String, pw As String)
  Dim load(0) As New com.sun.star.beans.PropertyValue
  load(0).Name = "Hidden" : load(0).Value = True
  doc = StarDesktop.loadComponentFromURL(ConvertToURL(src), "_blank", 0, load())
  Dim key(1) As New com.sun.star.beans.NamedValue
  key(0).Name = "OOXPassword" : key(0).Value = pw
  key(1).Name = "CryptoType" : key(1).Value = "Standard"
  Dim store(1) As New com.sun.star.beans.PropertyValue
  store(0).Name = "FilterName" : store(0).Value = "Impress MS PowerPoint 2007 XML"
  store(1).Name = "EncryptionData" : store(1).Value = key()
  doc.storeToURL(ConvertToURL(dst), store())
  doc.close(True)
  StarDesktop.terminate()
End Sub
)";

} // namespace

bool TestDecks::protect(const QString &source, const QString &target, const QString &password)
{
    QTemporaryDir work;
    const QString profile = work.filePath(QStringLiteral("profile"));
    if (!runOffice(profile, {QStringLiteral("--terminate_after_init")}))
        return false;
    // A fresh profile holds an empty Module1 in its Standard library.
    QFile module(profile + QStringLiteral("/user/basic/Standard/Module1.xba"));
    if (!module.open(QIODevice::WriteOnly))
        return false;
    module.write("<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<script:module xmlns:script=\"http://openoffice.org/2000/script\" "
                 "script:name=\"Module1\" script:language=\"StarBasic\">");
    module.write(QByteArray(ProtectMacro).replace("\"", "&quot;"));
    module.write("</script:module>\n");
    module.close();
    QFile::remove(target);
    const QString call = QStringLiteral("macro:///Standard.Module1.Protect(\"%1\",\"%2\",\"%3\")")
                             .arg(QFileInfo(source).absoluteFilePath(), QFileInfo(target).absoluteFilePath(), password);
    if (!runOffice(profile, {call}))
        return false;
    QFile out(target);
    // An encrypted Office Open XML file is a compound file, not a zip.
    return out.open(QIODevice::ReadOnly) && out.read(4) == QByteArray("\xD0\xCF\x11\xE0");
}

QList<TestDecks::Slide> TestDecks::numbered(int count, bool pictures, int pictureWidth)
{
    QList<Slide> slides;
    for (int i = 1; i <= count; ++i)
        slides.append({QStringLiteral("第%1页 春天来了").arg(i), QStringLiteral("春风吹绿了柳树，第%1段").arg(i),
                       pictures, pictureWidth});
    return slides;
}

bool TestDecks::write(const QString &path, const QList<Slide> &slides)
{
    DeckWriter deck;
    for (const Slide &s : slides) {
        DeckSlide slide;
        slide.title = s.title;
        slide.lines = QStringList{s.body};
        slide.hidden = s.hidden;
        if (s.picture) {
            slide.picture = picture(deck.slides().size() + 1, s.pictureWidth);
            slide.pictureSuffix = QString::fromLatin1(pictureFormat(s.pictureWidth));
        }
        deck.addSlide(slide);
    }
    QDir().mkpath(QFileInfo(path).absolutePath());
    return deck.write(path);
}

QPoint TestDecks::titleText(const QRect &slide)
{
    // Into the first characters of a short title, halfway down its box.
    const double y = DeckWriter::box(DeckWriter::Box::Title).center().y() * 1000.0 / DeckWriter::SlideHeight;
    return slide.topLeft() + QPoint(qRound(slide.width() * 0.19), qRound(slide.height() * y));
}

QByteArray TestDecks::entry(const QString &zipPath, const QString &name)
{
    QProcess unzip;
    unzip.start(QStringLiteral("unzip"), {QStringLiteral("-p"), zipPath, name});
    unzip.closeWriteChannel();
    if (!unzip.waitForFinished(30000))
        return QByteArray();
    return unzip.readAllStandardOutput();
}

QStringList TestDecks::slideTexts(const QString &pptxPath)
{
    // The office numbers the slide parts in presentation order.
    QStringList texts;
    for (int n = 1;; ++n) {
        const QByteArray xml = entry(pptxPath, QStringLiteral("ppt/slides/slide%1.xml").arg(n));
        if (xml.isEmpty())
            return texts;
        QXmlStreamReader slide(xml);
        QStringList runs;
        QString paragraph;
        while (!slide.atEnd()) {
            slide.readNext();
            if (slide.isStartElement() && slide.name() == QLatin1String("t"))
                paragraph += slide.readElementText();
            else if (slide.isStartElement() && slide.name() == QLatin1String("br"))
                paragraph += QLatin1Char(' ');
            else if (slide.isEndElement() && slide.name() == QLatin1String("p") && !paragraph.isEmpty()) {
                runs.append(paragraph);
                paragraph.clear();
            }
        }
        texts.append(runs.join(QLatin1Char(' ')));
    }
}
