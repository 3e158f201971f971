#pragma once

#include <QColor>
#include <QIcon>
#include <QString>

// The drawings of the editing bar, painted here rather than shipped: plain
// strokes on a 20-unit grid, sharp at any scale.
class EditIcons
{
public:
    // By name: "undo", "redo", "bold", "italic", "underline", "strike",
    // "colour", "highlight", "left", "centre", "right", "justify",
    // "bullets", "numbering", "indent", "outdent", "spacing", "textbox",
    // "rect", "roundrect", "ellipse", "triangle", "arrow", "line", "star",
    // "callout", "table", "picture", "newslide", "duplicate", "present".
    // A colour adds a bar of it under "colour" and "highlight".
    static QIcon icon(const QString &name, const QColor &colour = QColor());
    // A slide layout drawn small: "title", "content", "titleonly", "two",
    // "blank".
    static QIcon layout(const QString &name);
};
