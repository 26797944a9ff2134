#include "skin/Marquee.h"

#include <QTextBoundaryFinder>

QString marqueeStep(const QString& caption) {
    constexpr int kCharactersPerStep = 2;
    QTextBoundaryFinder boundaries(QTextBoundaryFinder::Grapheme, caption);
    qsizetype cut = 0;
    for (int i = 0; i < kCharactersPerStep && cut >= 0 && cut < caption.size(); ++i) {
        cut = boundaries.toNextBoundary();
    }
    if (cut <= 0) {
        return caption;
    }
    return caption.mid(cut) + caption.left(cut);
}
