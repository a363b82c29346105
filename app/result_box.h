#pragma once

#include <QPlainTextEdit>

// The report box. It can keep a strip free above its text for a bar that pushes the text down
// rather than covering it; the scroll bar keeps its full height beside both.
class ResultBox : public QPlainTextEdit {
    Q_OBJECT
public:
    using QPlainTextEdit::QPlainTextEdit;

    // Keeps `height` pixels free above the text, 0 for none; gives the strip, in the box's
    // coordinates.
    QRect reserveTop(int height)
    {
        if (viewportMargins().top() != height)
            setViewportMargins(0, height, 0, 0);
        const QRect text = viewport()->geometry();
        return {text.left(), text.top() - height, text.width(), height};
    }
};
