#pragma once

#include <QByteArray>
#include <QString>

// The fixed parts of a generated presentation package.
class DeckXml
{
public:
    static constexpr const char *Declaration = "<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"yes\"?>\n";
    static constexpr const char *Namespaces =
        "xmlns:a=\"http://schemas.openxmlformats.org/drawingml/2006/main\" "
        "xmlns:r=\"http://schemas.openxmlformats.org/officeDocument/2006/relationships\" "
        "xmlns:p=\"http://schemas.openxmlformats.org/presentationml/2006/main\"";
    static constexpr const char *RelBase = "http://schemas.openxmlformats.org/officeDocument/2006/relationships";
    static constexpr const char *FontFace = "Noto Sans CJK SC";

    static QByteArray relationships(const QString &entries);
    static QByteArray packageRels();
    static QByteArray coreProps(const QString &title);
    static QByteArray appProps(int slideCount);
    static QByteArray presProps();
    static QByteArray viewProps();
    static QByteArray tableStyles();
    static QByteArray theme();
    static QByteArray slideMaster();
    static QByteArray slideLayout();
};
