#include "DeckWriter.h"

#include "DeckXml.h"
#include "ZipWriter.h"

#include <QFile>
#include <QSaveFile>

namespace {
QString hex(const QColor &c)
{
    return c.name(QColor::HexRgb).mid(1).toUpper();
}

QString xfrm(const QRect &r)
{
    return QStringLiteral("<a:xfrm><a:off x=\"%1\" y=\"%2\"/><a:ext cx=\"%3\" cy=\"%4\"/></a:xfrm>")
        .arg(qint64(r.x()) * 1000).arg(qint64(r.y()) * 1000)
        .arg(qint64(r.width()) * 1000).arg(qint64(r.height()) * 1000);
}

QString runProps(int size, const QColor &color, bool bold)
{
    return QStringLiteral("<a:rPr lang=\"zh-CN\" altLang=\"en-US\" sz=\"%1\"%2 dirty=\"0\">"
                          "<a:solidFill><a:srgbClr val=\"%3\"/></a:solidFill>"
                          "<a:latin typeface=\"%4\"/><a:ea typeface=\"%4\"/></a:rPr>")
        .arg(size).arg(bold ? QStringLiteral(" b=\"1\"") : QString()).arg(hex(color))
        .arg(QString::fromLatin1(DeckXml::FontFace));
}

QString paragraph(const QString &text, int size, const QColor &color, bool bold,
                  const QString &align = QString(), bool bullet = false)
{
    QString ppr;
    if (bullet)
        ppr = QStringLiteral("<a:pPr marL=\"457200\" indent=\"-457200\"><a:spcBef><a:spcPts val=\"1200\"/></a:spcBef>"
                             "<a:buClr><a:srgbClr val=\"%1\"/></a:buClr><a:buFont typeface=\"Arial\"/>"
                             "<a:buChar char=\"&#8226;\"/></a:pPr>").arg(hex(color));
    else if (!align.isEmpty())
        ppr = QStringLiteral("<a:pPr algn=\"%1\"><a:buNone/></a:pPr>").arg(align);
    else
        ppr = QStringLiteral("<a:pPr><a:buNone/></a:pPr>");
    if (text.isEmpty())
        return QStringLiteral("<a:p>%1<a:endParaRPr lang=\"zh-CN\" altLang=\"en-US\" sz=\"%2\" dirty=\"0\"/></a:p>").arg(ppr).arg(size);
    return QStringLiteral("<a:p>%1<a:r>%2<a:t>%3</a:t></a:r></a:p>")
        .arg(ppr, runProps(size, color, bold), text.toHtmlEscaped());
}

QString textShape(int id, const QString &name, const QString &placeholder, const QRect &r,
                  const QString &paragraphs, const QString &anchor)
{
    // Without a placeholder the shape is a plain text box.
    const QString cNvSpPr = placeholder.isEmpty() ? QStringLiteral("<p:cNvSpPr txBox=\"1\"/>")
                                                  : QStringLiteral("<p:cNvSpPr><a:spLocks noGrp=\"1\"/></p:cNvSpPr>");
    const QString geometry = placeholder.isEmpty() ? QStringLiteral("<a:prstGeom prst=\"rect\"><a:avLst/></a:prstGeom><a:noFill/>")
                                                   : QString();
    return QStringLiteral("<p:sp><p:nvSpPr><p:cNvPr id=\"%1\" name=\"%2\"/>%3"
                          "<p:nvPr>%4</p:nvPr></p:nvSpPr><p:spPr>%5%6</p:spPr>"
                          "<p:txBody><a:bodyPr wrap=\"square\" anchor=\"%7\"><a:normAutofit/></a:bodyPr><a:lstStyle/>%8</p:txBody></p:sp>")
        .arg(id).arg(name, cNvSpPr, placeholder, xfrm(r), geometry, anchor, paragraphs);
}

QString rectShape(int id, const QString &name, const QRect &r, const QColor &fill)
{
    return QStringLiteral("<p:sp><p:nvSpPr><p:cNvPr id=\"%1\" name=\"%2\"/><p:cNvSpPr/><p:nvPr/></p:nvSpPr>"
                          "<p:spPr>%3<a:prstGeom prst=\"rect\"><a:avLst/></a:prstGeom>"
                          "<a:solidFill><a:srgbClr val=\"%4\"/></a:solidFill><a:ln><a:noFill/></a:ln></p:spPr>"
                          "<p:txBody><a:bodyPr/><a:lstStyle/><a:p><a:endParaRPr lang=\"zh-CN\"/></a:p></p:txBody></p:sp>")
        .arg(id).arg(name, xfrm(r), hex(fill));
}

QString pictureShape(int id, const QRect &r)
{
    return QStringLiteral("<p:pic><p:nvPicPr><p:cNvPr id=\"%1\" name=\"Picture %1\"/><p:cNvPicPr><a:picLocks noChangeAspect=\"1\"/></p:cNvPicPr><p:nvPr/></p:nvPicPr>"
                          "<p:blipFill><a:blip r:embed=\"rId2\"/><a:stretch><a:fillRect/></a:stretch></p:blipFill>"
                          "<p:spPr>%2<a:prstGeom prst=\"rect\"><a:avLst/></a:prstGeom></p:spPr></p:pic>")
        .arg(id).arg(xfrm(r));
}
}

QRect DeckWriter::box(Box which)
{
    // Units of 1000 EMU; the slide is 12192 x 6858.
    switch (which) {
    case Box::Band: return QRect(0, 0, 12192, 1143);
    case Box::Title: return QRect(610, 152, 10972, 838);
    case Box::Body: return QRect(838, 1600, 10516, 4800);
    case Box::BodyBesidePicture: return QRect(838, 1600, 5900, 4800);
    case Box::Picture: return QRect(7010, 1829, 4572, 3429);
    case Box::CoverTitle: return QRect(914, 2057, 10363, 1524);
    case Box::CoverSubtitle: return QRect(914, 3733, 10363, 762);
    case Box::CoverBand: return QRect(0, 5943, 12192, 915);
    }
    return QRect();
}

QRectF DeckWriter::boxAt(Box which, const QSizeF &canvas)
{
    const QRect r = box(which);
    const qreal sx = canvas.width() / 12192.0;
    const qreal sy = canvas.height() / 6858.0;
    return QRectF(r.x() * sx, r.y() * sy, r.width() * sx, r.height() * sy);
}

QByteArray DeckWriter::slideXml(const DeckSlide &s, bool hasPicture) const
{
    QString shapes;
    int id = 2;
    const QColor dark(0x33, 0x33, 0x33);
    switch (s.kind) {
    case DeckSlide::Blank:
        shapes += textShape(id++, QStringLiteral("Title 1"), QStringLiteral("<p:ph type=\"ctrTitle\"/>"),
                            box(Box::CoverTitle), paragraph(QString(), 4400, dark, true), QStringLiteral("b"));
        shapes += textShape(id++, QStringLiteral("Subtitle 2"), QStringLiteral("<p:ph type=\"subTitle\" idx=\"1\"/>"),
                            box(Box::CoverSubtitle), paragraph(QString(), 2400, dark, false), QStringLiteral("t"));
        break;
    case DeckSlide::Cover:
        shapes += rectShape(id++, QStringLiteral("Band"), box(Box::CoverBand), s.accent);
        shapes += textShape(id++, QStringLiteral("Title 1"), QStringLiteral("<p:ph type=\"ctrTitle\"/>"),
                            box(Box::CoverTitle), paragraph(s.title, 4400, s.accent.darker(130), true, QStringLiteral("ctr")),
                            QStringLiteral("b"));
        shapes += textShape(id++, QStringLiteral("Subtitle 2"), QStringLiteral("<p:ph type=\"subTitle\" idx=\"1\"/>"),
                            box(Box::CoverSubtitle), paragraph(s.subtitle, 2400, dark, false, QStringLiteral("ctr")),
                            QStringLiteral("t"));
        break;
    case DeckSlide::Content: {
        shapes += rectShape(id++, QStringLiteral("Band"), box(Box::Band), s.accent);
        shapes += textShape(id++, QStringLiteral("Title 1"), QStringLiteral("<p:ph type=\"title\"/>"),
                            box(Box::Title), paragraph(s.title, 3200, Qt::white, true), QStringLiteral("ctr"));
        QString body;
        for (const QString &line : s.lines)
            body += paragraph(line, 2400, dark, false, QString(), true);
        if (body.isEmpty())
            body = paragraph(QString(), 2400, dark, false);
        shapes += textShape(id++, QStringLiteral("Content 2"), QString(),
                            box(hasPicture ? Box::BodyBesidePicture : Box::Body), body, QStringLiteral("t"));
        if (hasPicture)
            shapes += pictureShape(id++, box(Box::Picture));
        break;
    }
    }
    const QString bg = s.kind == DeckSlide::Blank
        ? QString()
        : QStringLiteral("<p:bg><p:bgPr><a:solidFill><a:srgbClr val=\"%1\"/></a:solidFill><a:effectLst/></p:bgPr></p:bg>")
              .arg(hex(s.background));
    return (QString::fromLatin1(DeckXml::Declaration)
            + QStringLiteral("<p:sld %1%4><p:cSld>%2<p:spTree><p:nvGrpSpPr><p:cNvPr id=\"1\" name=\"\"/><p:cNvGrpSpPr/><p:nvPr/></p:nvGrpSpPr>"
                             "<p:grpSpPr><a:xfrm><a:off x=\"0\" y=\"0\"/><a:ext cx=\"0\" cy=\"0\"/><a:chOff x=\"0\" y=\"0\"/><a:chExt cx=\"0\" cy=\"0\"/></a:xfrm></p:grpSpPr>"
                             "%3</p:spTree></p:cSld><p:clrMapOvr><a:masterClrMapping/></p:clrMapOvr></p:sld>")
                  .arg(QString::fromLatin1(DeckXml::Namespaces), bg, shapes, s.hidden ? QStringLiteral(" show=\"0\"") : QString()))
        .toUtf8();
}

QByteArray DeckWriter::presentationXml() const
{
    QString ids;
    for (int i = 0; i < m_slides.size(); ++i)
        ids += QStringLiteral("<p:sldId id=\"%1\" r:id=\"rId%2\"/>").arg(256 + i).arg(10 + i);
    return (QString::fromLatin1(DeckXml::Declaration)
            + QStringLiteral("<p:presentation %1 saveSubsetFonts=\"1\">"
                             "<p:sldMasterIdLst><p:sldMasterId id=\"2147483648\" r:id=\"rId1\"/></p:sldMasterIdLst>"
                             "<p:sldIdLst>%2</p:sldIdLst>"
                             "<p:sldSz cx=\"%3\" cy=\"%4\"/><p:notesSz cx=\"6858000\" cy=\"9144000\"/>"
                             "</p:presentation>")
                  .arg(QString::fromLatin1(DeckXml::Namespaces), ids)
                  .arg(SlideWidth).arg(SlideHeight))
        .toUtf8();
}

QByteArray DeckWriter::contentTypesXml(const QStringList &mediaSuffixes) const
{
    QString s = QStringLiteral("<Types xmlns=\"http://schemas.openxmlformats.org/package/2006/content-types\">"
                               "<Default Extension=\"rels\" ContentType=\"application/vnd.openxmlformats-package.relationships+xml\"/>"
                               "<Default Extension=\"xml\" ContentType=\"application/xml\"/>");
    for (const QString &suffix : mediaSuffixes)
        s += QStringLiteral("<Default Extension=\"%1\" ContentType=\"image/%2\"/>")
                 .arg(suffix, suffix == QLatin1String("jpg") ? QStringLiteral("jpeg") : suffix);
    const char *pml = "application/vnd.openxmlformats-officedocument.presentationml.";
    s += QStringLiteral("<Override PartName=\"/ppt/presentation.xml\" ContentType=\"%1presentation.main+xml\"/>"
                        "<Override PartName=\"/ppt/slideMasters/slideMaster1.xml\" ContentType=\"%1slideMaster+xml\"/>"
                        "<Override PartName=\"/ppt/slideLayouts/slideLayout1.xml\" ContentType=\"%1slideLayout+xml\"/>"
                        "<Override PartName=\"/ppt/presProps.xml\" ContentType=\"%1presProps+xml\"/>"
                        "<Override PartName=\"/ppt/viewProps.xml\" ContentType=\"%1viewProps+xml\"/>"
                        "<Override PartName=\"/ppt/tableStyles.xml\" ContentType=\"%1tableStyles+xml\"/>"
                        "<Override PartName=\"/ppt/theme/theme1.xml\" ContentType=\"application/vnd.openxmlformats-officedocument.theme+xml\"/>"
                        "<Override PartName=\"/docProps/core.xml\" ContentType=\"application/vnd.openxmlformats-package.core-properties+xml\"/>"
                        "<Override PartName=\"/docProps/app.xml\" ContentType=\"application/vnd.openxmlformats-officedocument.extended-properties+xml\"/>")
             .arg(QString::fromLatin1(pml));
    for (int i = 1; i <= m_slides.size(); ++i)
        s += QStringLiteral("<Override PartName=\"/ppt/slides/slide%1.xml\" ContentType=\"%2slide+xml\"/>")
                 .arg(i).arg(QString::fromLatin1(pml));
    s += QStringLiteral("</Types>");
    return QByteArray(DeckXml::Declaration) + s.toUtf8();
}

QByteArray DeckWriter::toPptx() const
{
    ZipWriter zip;
    QStringList mediaSuffixes;
    QList<QPair<QString, QByteArray>> slideParts;
    QList<QPair<QString, QByteArray>> media;
    for (int i = 0; i < m_slides.size(); ++i) {
        const DeckSlide &s = m_slides.at(i);
        const bool hasPicture = s.kind == DeckSlide::Content && !s.picture.isEmpty();
        const QString n = QString::number(i + 1);
        QString rels = QStringLiteral("<Relationship Id=\"rId1\" Type=\"%1/slideLayout\" Target=\"../slideLayouts/slideLayout1.xml\"/>")
                           .arg(QString::fromLatin1(DeckXml::RelBase));
        if (hasPicture) {
            const QString suffix = s.pictureSuffix.toLower() == QLatin1String("jpeg") ? QStringLiteral("jpg") : s.pictureSuffix.toLower();
            if (!mediaSuffixes.contains(suffix))
                mediaSuffixes.append(suffix);
            const QString mediaName = QStringLiteral("image%1.%2").arg(n, suffix);
            media.append({QStringLiteral("ppt/media/") + mediaName, s.picture});
            rels += QStringLiteral("<Relationship Id=\"rId2\" Type=\"%1/image\" Target=\"../media/%2\"/>")
                        .arg(QString::fromLatin1(DeckXml::RelBase), mediaName);
        }
        slideParts.append({QStringLiteral("ppt/slides/slide%1.xml").arg(n), slideXml(s, hasPicture)});
        slideParts.append({QStringLiteral("ppt/slides/_rels/slide%1.xml.rels").arg(n), DeckXml::relationships(rels)});
    }

    zip.addFile(QStringLiteral("[Content_Types].xml"), contentTypesXml(mediaSuffixes));
    zip.addFile(QStringLiteral("_rels/.rels"), DeckXml::packageRels());
    zip.addFile(QStringLiteral("docProps/core.xml"), DeckXml::coreProps(m_title));
    zip.addFile(QStringLiteral("docProps/app.xml"), DeckXml::appProps(m_slides.size()));
    zip.addFile(QStringLiteral("ppt/presentation.xml"), presentationXml());
    QString presRels = QStringLiteral("<Relationship Id=\"rId1\" Type=\"%1/slideMaster\" Target=\"slideMasters/slideMaster1.xml\"/>"
                                      "<Relationship Id=\"rId2\" Type=\"%1/theme\" Target=\"theme/theme1.xml\"/>"
                                      "<Relationship Id=\"rId3\" Type=\"%1/presProps\" Target=\"presProps.xml\"/>"
                                      "<Relationship Id=\"rId4\" Type=\"%1/viewProps\" Target=\"viewProps.xml\"/>"
                                      "<Relationship Id=\"rId5\" Type=\"%1/tableStyles\" Target=\"tableStyles.xml\"/>")
                           .arg(QString::fromLatin1(DeckXml::RelBase));
    for (int i = 0; i < m_slides.size(); ++i)
        presRels += QStringLiteral("<Relationship Id=\"rId%1\" Type=\"%2/slide\" Target=\"slides/slide%3.xml\"/>")
                        .arg(10 + i).arg(QString::fromLatin1(DeckXml::RelBase)).arg(i + 1);
    zip.addFile(QStringLiteral("ppt/_rels/presentation.xml.rels"), DeckXml::relationships(presRels));
    zip.addFile(QStringLiteral("ppt/presProps.xml"), DeckXml::presProps());
    zip.addFile(QStringLiteral("ppt/viewProps.xml"), DeckXml::viewProps());
    zip.addFile(QStringLiteral("ppt/tableStyles.xml"), DeckXml::tableStyles());
    zip.addFile(QStringLiteral("ppt/theme/theme1.xml"), DeckXml::theme());
    zip.addFile(QStringLiteral("ppt/slideMasters/slideMaster1.xml"), DeckXml::slideMaster());
    zip.addFile(QStringLiteral("ppt/slideMasters/_rels/slideMaster1.xml.rels"),
                DeckXml::relationships(QStringLiteral("<Relationship Id=\"rId1\" Type=\"%1/slideLayout\" Target=\"../slideLayouts/slideLayout1.xml\"/>"
                                                      "<Relationship Id=\"rId2\" Type=\"%1/theme\" Target=\"../theme/theme1.xml\"/>")
                                           .arg(QString::fromLatin1(DeckXml::RelBase))));
    zip.addFile(QStringLiteral("ppt/slideLayouts/slideLayout1.xml"), DeckXml::slideLayout());
    zip.addFile(QStringLiteral("ppt/slideLayouts/_rels/slideLayout1.xml.rels"),
                DeckXml::relationships(QStringLiteral("<Relationship Id=\"rId1\" Type=\"%1/slideMaster\" Target=\"../slideMasters/slideMaster1.xml\"/>")
                                           .arg(QString::fromLatin1(DeckXml::RelBase))));
    for (const auto &part : slideParts)
        zip.addFile(part.first, part.second);
    for (const auto &part : media)
        zip.addFile(part.first, part.second, false);
    return zip.archive();
}

bool DeckWriter::write(const QString &path, QString *error) const
{
    QSaveFile f(path);
    if (!f.open(QIODevice::WriteOnly) || f.write(toPptx()) < 0 || !f.commit()) {
        if (error)
            *error = f.errorString();
        return false;
    }
    return true;
}

DeckWriter DeckWriter::blankDeck()
{
    DeckWriter w;
    DeckSlide s;
    s.kind = DeckSlide::Blank;
    w.addSlide(s);
    return w;
}
