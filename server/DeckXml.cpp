#include "DeckXml.h"

namespace {
QByteArray doc(const QString &body)
{
    return QByteArray(DeckXml::Declaration) + body.toUtf8();
}

QString ns()
{
    return QString::fromLatin1(DeckXml::Namespaces);
}

QString font()
{
    return QString::fromLatin1(DeckXml::FontFace);
}

QString spTreeHead()
{
    return QStringLiteral("<p:nvGrpSpPr><p:cNvPr id=\"1\" name=\"\"/><p:cNvGrpSpPr/><p:nvPr/></p:nvGrpSpPr>"
                          "<p:grpSpPr><a:xfrm><a:off x=\"0\" y=\"0\"/><a:ext cx=\"0\" cy=\"0\"/>"
                          "<a:chOff x=\"0\" y=\"0\"/><a:chExt cx=\"0\" cy=\"0\"/></a:xfrm></p:grpSpPr>");
}

QString placeholder(int id, const QString &name, const QString &ph, qint64 x, qint64 y, qint64 cx, qint64 cy)
{
    return QStringLiteral("<p:sp><p:nvSpPr><p:cNvPr id=\"%1\" name=\"%2\"/><p:cNvSpPr><a:spLocks noGrp=\"1\"/></p:cNvSpPr>"
                          "<p:nvPr>%3</p:nvPr></p:nvSpPr><p:spPr><a:xfrm><a:off x=\"%4\" y=\"%5\"/><a:ext cx=\"%6\" cy=\"%7\"/></a:xfrm>"
                          "<a:prstGeom prst=\"rect\"><a:avLst/></a:prstGeom></p:spPr>"
                          "<p:txBody><a:bodyPr/><a:lstStyle/><a:p><a:endParaRPr lang=\"zh-CN\"/></a:p></p:txBody></p:sp>")
        .arg(id).arg(name, ph).arg(x).arg(y).arg(cx).arg(cy);
}

QString level(int n, int size, bool bullet)
{
    const int mar = bullet ? 228600 + (n - 1) * 457200 : 0;
    const QString bu = bullet ? QStringLiteral("<a:buFont typeface=\"Arial\"/><a:buChar char=\"&#8226;\"/>")
                              : QStringLiteral("<a:buNone/>");
    return QStringLiteral("<a:lvl%1pPr marL=\"%2\" indent=\"%3\" algn=\"l\" defTabSz=\"914400\" rtl=\"0\" eaLnBrk=\"1\" latinLnBrk=\"0\" hangingPunct=\"1\">"
                          "<a:lnSpc><a:spcPct val=\"100000\"/></a:lnSpc><a:spcBef><a:spcPts val=\"600\"/></a:spcBef>%4"
                          "<a:defRPr sz=\"%5\" kern=\"1200\"><a:solidFill><a:schemeClr val=\"tx1\"/></a:solidFill>"
                          "<a:latin typeface=\"+mn-lt\"/><a:ea typeface=\"+mn-ea\"/><a:cs typeface=\"+mn-cs\"/></a:defRPr></a:lvl%1pPr>")
        .arg(n).arg(mar).arg(bullet ? -228600 : 0).arg(bu).arg(size);
}
}

QByteArray DeckXml::relationships(const QString &entries)
{
    return doc(QStringLiteral("<Relationships xmlns=\"http://schemas.openxmlformats.org/package/2006/relationships\">%1</Relationships>")
                   .arg(entries));
}

QByteArray DeckXml::packageRels()
{
    return relationships(QStringLiteral(
        "<Relationship Id=\"rId1\" Type=\"http://schemas.openxmlformats.org/officeDocument/2006/relationships/officeDocument\" Target=\"ppt/presentation.xml\"/>"
        "<Relationship Id=\"rId2\" Type=\"http://schemas.openxmlformats.org/package/2006/relationships/metadata/core-properties\" Target=\"docProps/core.xml\"/>"
        "<Relationship Id=\"rId3\" Type=\"http://schemas.openxmlformats.org/officeDocument/2006/relationships/extended-properties\" Target=\"docProps/app.xml\"/>"));
}

QByteArray DeckXml::coreProps(const QString &title)
{
    return doc(QStringLiteral(
                   "<cp:coreProperties xmlns:cp=\"http://schemas.openxmlformats.org/package/2006/metadata/core-properties\" "
                   "xmlns:dc=\"http://purl.org/dc/elements/1.1/\" xmlns:dcterms=\"http://purl.org/dc/terms/\" "
                   "xmlns:dcmitype=\"http://purl.org/dc/dcmitype/\" xmlns:xsi=\"http://www.w3.org/2001/XMLSchema-instance\">"
                   "<dc:title>%1</dc:title><dc:creator>Lumexa</dc:creator>"
                   "<dcterms:created xsi:type=\"dcterms:W3CDTF\">2024-01-01T12:00:00Z</dcterms:created>"
                   "<dcterms:modified xsi:type=\"dcterms:W3CDTF\">2024-01-01T12:00:00Z</dcterms:modified>"
                   "</cp:coreProperties>")
                   .arg(title.toHtmlEscaped()));
}

QByteArray DeckXml::appProps(int slideCount)
{
    return doc(QStringLiteral("<Properties xmlns=\"http://schemas.openxmlformats.org/officeDocument/2006/extended-properties\" "
                              "xmlns:vt=\"http://schemas.openxmlformats.org/officeDocument/2006/docPropsVTypes\">"
                              "<Application>Lumexa</Application><PresentationFormat>Widescreen</PresentationFormat>"
                              "<Slides>%1</Slides></Properties>")
                   .arg(slideCount));
}

QByteArray DeckXml::presProps()
{
    return doc(QStringLiteral("<p:presentationPr %1/>").arg(ns()));
}

QByteArray DeckXml::viewProps()
{
    return doc(QStringLiteral("<p:viewPr %1><p:normalViewPr><p:restoredLeft sz=\"15620\"/><p:restoredTop sz=\"94660\"/></p:normalViewPr>"
                              "<p:gridSpacing cx=\"72008\" cy=\"72008\"/></p:viewPr>")
                   .arg(ns()));
}

QByteArray DeckXml::tableStyles()
{
    return doc(QStringLiteral("<a:tblStyleLst xmlns:a=\"http://schemas.openxmlformats.org/drawingml/2006/main\" "
                              "def=\"{5C22544A-7EE6-4342-B048-85BDC9FD1C3A}\"/>"));
}

QByteArray DeckXml::theme()
{
    const QString colors = QStringLiteral(
        "<a:clrScheme name=\"Lumexa\">"
        "<a:dk1><a:srgbClr val=\"333333\"/></a:dk1><a:lt1><a:srgbClr val=\"FFFFFF\"/></a:lt1>"
        "<a:dk2><a:srgbClr val=\"1F3A2E\"/></a:dk2><a:lt2><a:srgbClr val=\"F2F2F2\"/></a:lt2>"
        "<a:accent1><a:srgbClr val=\"03804B\"/></a:accent1><a:accent2><a:srgbClr val=\"2F80ED\"/></a:accent2>"
        "<a:accent3><a:srgbClr val=\"F2994A\"/></a:accent3><a:accent4><a:srgbClr val=\"9B51E0\"/></a:accent4>"
        "<a:accent5><a:srgbClr val=\"EB5757\"/></a:accent5><a:accent6><a:srgbClr val=\"27AE60\"/></a:accent6>"
        "<a:hlink><a:srgbClr val=\"0563C1\"/></a:hlink><a:folHlink><a:srgbClr val=\"954F72\"/></a:folHlink>"
        "</a:clrScheme>");
    const QString fonts = QStringLiteral(
        "<a:fontScheme name=\"Lumexa\">"
        "<a:majorFont><a:latin typeface=\"%1\"/><a:ea typeface=\"%1\"/><a:cs typeface=\"\"/></a:majorFont>"
        "<a:minorFont><a:latin typeface=\"%1\"/><a:ea typeface=\"%1\"/><a:cs typeface=\"\"/></a:minorFont>"
        "</a:fontScheme>").arg(font());
    const QString solid = QStringLiteral("<a:solidFill><a:schemeClr val=\"phClr\"/></a:solidFill>");
    const QString line = QStringLiteral("<a:ln w=\"%1\" cap=\"flat\" cmpd=\"sng\" algn=\"ctr\"><a:solidFill><a:schemeClr val=\"phClr\"/></a:solidFill>"
                                        "<a:prstDash val=\"solid\"/><a:miter lim=\"800000\"/></a:ln>");
    const QString formats = QStringLiteral(
        "<a:fmtScheme name=\"Lumexa\">"
        "<a:fillStyleLst>%1%1%1</a:fillStyleLst>"
        "<a:lnStyleLst>%2%3%4</a:lnStyleLst>"
        "<a:effectStyleLst><a:effectStyle><a:effectLst/></a:effectStyle><a:effectStyle><a:effectLst/></a:effectStyle>"
        "<a:effectStyle><a:effectLst/></a:effectStyle></a:effectStyleLst>"
        "<a:bgFillStyleLst>%1%1%1</a:bgFillStyleLst>"
        "</a:fmtScheme>")
        .arg(solid, line.arg(6350), line.arg(12700), line.arg(19050));
    return doc(QStringLiteral("<a:theme xmlns:a=\"http://schemas.openxmlformats.org/drawingml/2006/main\" name=\"Lumexa\">"
                              "<a:themeElements>%1%2%3</a:themeElements><a:objectDefaults/><a:extraClrSchemeLst/></a:theme>")
                   .arg(colors, fonts, formats));
}

QByteArray DeckXml::slideMaster()
{
    QString body;
    for (int i = 1; i <= 3; ++i)
        body += level(i, i == 1 ? 2800 : 2400 - (i - 2) * 400, true);
    QString other;
    for (int i = 1; i <= 3; ++i)
        other += level(i, 1800, false);
    const QString shapes = placeholder(2, QStringLiteral("Title Placeholder 1"), QStringLiteral("<p:ph type=\"title\"/>"),
                                       838200, 365125, 10515600, 1325563)
        + placeholder(3, QStringLiteral("Text Placeholder 2"), QStringLiteral("<p:ph type=\"body\" idx=\"1\"/>"),
                      838200, 1825625, 10515600, 4351338);
    return doc(QStringLiteral(
                   "<p:sldMaster %1><p:cSld><p:bg><p:bgRef idx=\"1001\"><a:schemeClr val=\"bg1\"/></p:bgRef></p:bg>"
                   "<p:spTree>%2%3</p:spTree></p:cSld>"
                   "<p:clrMap bg1=\"lt1\" tx1=\"dk1\" bg2=\"lt2\" tx2=\"dk2\" accent1=\"accent1\" accent2=\"accent2\" accent3=\"accent3\" "
                   "accent4=\"accent4\" accent5=\"accent5\" accent6=\"accent6\" hlink=\"hlink\" folHlink=\"folHlink\"/>"
                   "<p:sldLayoutIdLst><p:sldLayoutId id=\"2147483649\" r:id=\"rId1\"/></p:sldLayoutIdLst>"
                   "<p:txStyles>"
                   "<p:titleStyle><a:lvl1pPr algn=\"l\" defTabSz=\"914400\" rtl=\"0\" eaLnBrk=\"1\" latinLnBrk=\"0\" hangingPunct=\"1\">"
                   "<a:lnSpc><a:spcPct val=\"90000\"/></a:lnSpc><a:spcBef><a:spcPct val=\"0\"/></a:spcBef><a:buNone/>"
                   "<a:defRPr sz=\"4400\" kern=\"1200\"><a:solidFill><a:schemeClr val=\"tx1\"/></a:solidFill>"
                   "<a:latin typeface=\"+mj-lt\"/><a:ea typeface=\"+mj-ea\"/><a:cs typeface=\"+mj-cs\"/></a:defRPr></a:lvl1pPr></p:titleStyle>"
                   "<p:bodyStyle>%4</p:bodyStyle><p:otherStyle>%5</p:otherStyle>"
                   "</p:txStyles></p:sldMaster>")
                   .arg(ns(), spTreeHead(), shapes, body, other));
}

QByteArray DeckXml::slideLayout()
{
    const QString shapes = placeholder(2, QStringLiteral("Title 1"), QStringLiteral("<p:ph type=\"ctrTitle\"/>"),
                                       1524000, 1122363, 9144000, 2387600)
        + placeholder(3, QStringLiteral("Subtitle 2"), QStringLiteral("<p:ph type=\"subTitle\" idx=\"1\"/>"),
                      1524000, 3602038, 9144000, 1655762);
    return doc(QStringLiteral("<p:sldLayout %1 type=\"title\" preserve=\"1\"><p:cSld name=\"Title Slide\"><p:spTree>%2%3</p:spTree></p:cSld>"
                              "<p:clrMapOvr><a:masterClrMapping/></p:clrMapOvr></p:sldLayout>")
                   .arg(ns(), spTreeHead(), shapes));
}
