#pragma once

#include <QPlainTextEdit>

// The report box. It wraps its text by the Unicode line-breaking rules, which keep closing
// punctuation off the head of a line and opening punctuation off its end, except for a text with
// a run too long to lay out that way in time. It can keep a strip free above its text for a bar
// that pushes the text down rather than covering it; the scroll bar keeps its full height beside
// both.
class ResultBox : public QPlainTextEdit {
    Q_OBJECT
public:
    using QPlainTextEdit::QPlainTextEdit;

    // Replaces the whole text; use it rather than setPlainText, which would lay the new text out
    // with the old one's wrapping.
    void setText(const QString &text);

    // Keeps `height` pixels free above the text, 0 for none; gives the strip, in the box's
    // coordinates.
    QRect reserveTop(int height);

protected:
    // The user's own pastes and drops.
    void insertFromMimeData(const QMimeData *source) override;

private:
    void wrapFor(const QString &text);
};
