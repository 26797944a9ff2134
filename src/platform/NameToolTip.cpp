#include "platform/NameToolTip.h"

#include <QFontMetricsF>
#include <QGuiApplication>
#include <QScreen>
#include <QStringList>
#include <QTextBoundaryFinder>
#include <QTextDocument>
#include <QToolTip>

#include <algorithm>

namespace {

// As wide as a tooltip of running text grows, and no wider than the screen less the tip's
// frame.
constexpr int kWidestLineInX = 80;
constexpr qreal kTipFrame = 24;

qreal widestLine(const QFontMetricsF& metrics) {
    qreal widest = metrics.horizontalAdvance(QLatin1Char('x')) * kWidestLineInX;
    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        widest = std::min(widest, screen->availableGeometry().width() - kTipFrame);
    }
    return std::max(widest, metrics.horizontalAdvance(QLatin1Char('x')));
}

// Lines of whole characters, each within `widest`; a line ends after its last "/" or blank
// where it has one, and at every line break of the name.
QStringList wrapped(const QString& text, const QFontMetricsF& metrics, qreal widest) {
    if (!text.contains(QLatin1Char('\n')) && !text.contains(QLatin1Char('\r')) &&
        metrics.horizontalAdvance(text) <= widest) {
        return {text};  // the common case, measured once
    }
    QStringList lines;
    QTextBoundaryFinder characters(QTextBoundaryFinder::Grapheme, text);
    qsizetype lineStart = 0;
    qsizetype lastBreak = 0;  // the end of the line's last "/" or blank
    qsizetype start = 0;
    for (qsizetype end = characters.toNextBoundary(); end > 0;
         start = end, end = characters.toNextBoundary()) {
        const QChar c = text.at(start);
        if (c == QLatin1Char('\n') || c == QLatin1Char('\r')) {
            lines << text.mid(lineStart, start - lineStart);
            lineStart = end;
            continue;
        }
        while (start > lineStart &&
               metrics.horizontalAdvance(text.mid(lineStart, end - lineStart)) > widest) {
            const qsizetype cut = lastBreak > lineStart ? lastBreak : start;
            lines << text.mid(lineStart, cut - lineStart);
            lineStart = cut;
        }
        if (c == QLatin1Char('/') || c == QLatin1Char(' ')) {
            lastBreak = end;
        }
    }
    lines << text.mid(lineStart);
    return lines;
}

}  // namespace

QString nameToolTip(const QString& name) {
    const QFontMetricsF metrics(QToolTip::font());
    const QStringList lines = wrapped(name, metrics, widestLine(metrics));
    if (lines.size() == 1 && !Qt::mightBeRichText(name)) {
        return name;
    }
    QStringList escaped;
    escaped.reserve(lines.size());
    for (const QString& line : lines) {
        escaped << line.toHtmlEscaped();
    }
    return QStringLiteral("<p style=\"white-space:pre\">") + escaped.join(QStringLiteral("<br>")) +
           QStringLiteral("</p>");
}
