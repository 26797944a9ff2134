#pragma once

#include <QLabel>
#include <QString>
#include <QTextDocument>

// What a label, tooltip or message box shows of a text: markup read as Qt reads it (automatic
// text is markup when it looks like markup), lines joined.
inline QString shownText(const QString& text, Qt::TextFormat format = Qt::AutoText) {
    const bool markup =
        format == Qt::RichText || (format == Qt::AutoText && Qt::mightBeRichText(text));
    if (!markup) {
        return text;
    }
    QTextDocument document;
    document.setHtml(text);
    return document.toPlainText().remove(QLatin1Char('\n'));
}

inline QString shownText(const QLabel& label) {
    return shownText(label.text(), label.textFormat());
}
