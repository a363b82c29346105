#pragma once

#include <QClipboard>
#include <QLineEdit>

// The single-line box the number is typed into. It reports the character code of each key typed
// and each mouse button going down, and it takes only the first line of anything pasted or
// dropped into it, as a single-line box should.
class InputBox : public QLineEdit {
    Q_OBJECT
public:
    using QLineEdit::QLineEdit;

    static constexpr int CarriageReturn = 13;
    static constexpr int LineFeed = 10;

signals:
    // Sent before the box handles the key; a handler may look at the code but never eats the key.
    // Enter gives CarriageReturn, Ctrl+Enter LineFeed; keys held with Alt are system keys and
    // give nothing.
    void keyPress(int keyAscii);
    void mouseDown(Qt::MouseButton button, Qt::KeyboardModifiers shift, QPointF position);

protected:
    void keyPressEvent(QKeyEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseDoubleClickEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void contextMenuEvent(QContextMenuEvent *event) override;
    void dropEvent(QDropEvent *event) override;

private:
    void pasteFirstLine(QClipboard::Mode mode);
};
