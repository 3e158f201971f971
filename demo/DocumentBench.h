#pragma once

#include <QString>

// The document control's figures for scripts/bench-document, and one open,
// edit and save of a deck for scripts/office-cycles. Figures are printed as
// "BENCH name value" lines; the return value is the program's exit code.
class DocumentBench
{
public:
    // In dir: bench-20.pptx (made when missing) and media-3.pptx (made by
    // the script). Open to first paint, typing and the slide show, each
    // beside its baseline.
    static int run(const QString &dir);
    static int cycle(const QString &dir);
};
