#include "app/input_box.h"

#include <QAction>
#include <QContextMenuEvent>
#include <QCoreApplication>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QMenu>
#include <QMimeData>
#include <QMouseEvent>

namespace {

// The character code a key press delivers, or 0 when it delivers none.
int characterCode(const QKeyEvent &event)
{
    const Qt::KeyboardModifiers held =
        event.modifiers() & ~(Qt::ShiftModifier | Qt::KeypadModifier);
    if (held & (Qt::AltModifier | Qt::MetaModifier))
        return 0;
    if (event.key() == Qt::Key_Return || event.key() == Qt::Key_Enter)
        return held == Qt::ControlModifier ? InputBox::LineFeed : InputBox::CarriageReturn;
    return event.text().isEmpty() ? 0 : event.text().front().unicode();
}

QString firstLine(const QString &text)
{
    for (qsizetype i = 0; i < text.size(); ++i) {
        switch (text[i].unicode()) {
        case u'\r':
        case u'\n':
        case QChar::LineSeparator:
        case QChar::ParagraphSeparator: return text.left(i);
        }
    }
    return text;
}

} // namespace

void InputBox::keyPressEvent(QKeyEvent *event)
{
    if (const int code = characterCode(*event); code != 0)
        emit keyPress(code);
    if (event->matches(QKeySequence::Paste) && !isReadOnly()) {
        pasteFirstLine(QClipboard::Clipboard);
        return;
    }
    QLineEdit::keyPressEvent(event);
}

void InputBox::mousePressEvent(QMouseEvent *event)
{
    QLineEdit::mousePressEvent(event);
    emit mouseDown(event->button(), event->modifiers(), event->position());
}

void InputBox::mouseDoubleClickEvent(QMouseEvent *event)
{
    QLineEdit::mouseDoubleClickEvent(event);
    emit mouseDown(event->button(), event->modifiers(), event->position());
}

void InputBox::mouseReleaseEvent(QMouseEvent *event)
{
    // The middle button pastes the selection where the platform keeps one (X11). Its press
    // selected the whole text, which the paste replaces as a keystroke would, unless there is
    // nothing to paste; and wherever the release lands, Qt's own paste, which keeps line breaks,
    // must not run.
    if (event->button() == Qt::MiddleButton && !isReadOnly()
        && QGuiApplication::clipboard()->supportsSelection()) {
        const QString selection = QGuiApplication::clipboard()->text(QClipboard::Selection);
        if (!selection.isEmpty())
            insert(firstLine(selection));
        return;
    }
    QLineEdit::mouseReleaseEvent(event);
}

void InputBox::contextMenuEvent(QContextMenuEvent *event)
{
    QMenu *menu = createStandardContextMenu();
    // The standard menu's Paste is known by its caption, in whatever language Qt speaks.
    const QString pasteCaption = QCoreApplication::translate("QLineEdit", "&Paste");
    for (QAction *action : menu->actions()) {
        if (action->text().section(u'\t', 0, 0) == pasteCaption) {
            disconnect(action, &QAction::triggered, this, nullptr);
            connect(action, &QAction::triggered, this,
                    [this] { pasteFirstLine(QClipboard::Clipboard); });
        }
    }
    menu->setAttribute(Qt::WA_DeleteOnClose);
    menu->popup(event->globalPos());
}

void InputBox::dropEvent(QDropEvent *event)
{
    const QMimeData *dropped = event->mimeData();
    if (!dropped || !dropped->hasText()) {
        QLineEdit::dropEvent(event);
        return;
    }
    QMimeData firstLineOnly;
    firstLineOnly.setText(firstLine(dropped->text()));
    QDropEvent trimmed(event->position(), event->possibleActions(), &firstLineOnly,
                       event->buttons(), event->modifiers(), event->type());
    trimmed.setDropAction(event->dropAction());
    QLineEdit::dropEvent(&trimmed);
    event->setDropAction(trimmed.dropAction());
    event->setAccepted(trimmed.isAccepted());
}

void InputBox::pasteFirstLine(QClipboard::Mode mode)
{
    const QString text = QGuiApplication::clipboard()->text(mode);
    // As the box's own paste: nothing to paste and nothing selected changes nothing.
    if (text.isEmpty() && !hasSelectedText())
        return;
    insert(firstLine(text));
}
