#include "app/judgement_balloon.h"

#include <QAccessible>
#include <QApplication>
#include <QEvent>
#include <QLabel>
#include <QPainter>
#include <QPainterPath>
#include <QVBoxLayout>

namespace {

constexpr int PointerHeight = 7; // the little tip that points up at the input box
constexpr int PointerOffset = 24;
constexpr QColor Fill{0xFF, 0xFF, 0xC0};
constexpr QColor Border{0x00, 0xA0, 0x00};

} // namespace

JudgementBalloon::JudgementBalloon(QWidget *window) : QFrame(window)
{
    setObjectName(QStringLiteral("judgement"));
    setFocusPolicy(Qt::NoFocus);
    setAttribute(Qt::WA_TranslucentBackground);
    setAccessibleName(QStringLiteral("测算评语"));

    m_text = new QLabel(this);
    m_text->setWordWrap(true);
    m_text->setTextFormat(Qt::PlainText);
    m_text->setFocusPolicy(Qt::NoFocus);
    m_text->setAttribute(Qt::WA_TransparentForMouseEvents);
    QPalette palette = m_text->palette();
    palette.setColor(QPalette::WindowText, Qt::black);
    m_text->setPalette(palette);

    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(8, PointerHeight + 5, 8, 6);
    layout->addWidget(m_text);
    hide();
}

void JudgementBalloon::present(const QString &verdict, const QString &appraisal)
{
    m_verdict = verdict;
    m_appraisal = appraisal;
    QStringList parts;
    for (const QString &part : {verdict, appraisal}) {
        if (!part.isEmpty())
            parts << QString(part).replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    }
    if (parts.isEmpty()) {
        dismiss();
        return;
    }
    const QString text = parts.join(u'\n');
    m_text->setText(text);
    setAccessibleDescription(text);
    m_text->setAccessibleName(text);

    const int width = parentWidget()->width() - 2 * x();
    const int height = heightForWidth(width);
    resize(width, height > 0 ? height : sizeHint().height());
    raise();
    show();
    qApp->installEventFilter(this);

    QAccessibleEvent shown(this, QAccessible::Alert);
    QAccessible::updateAccessibility(&shown);
}

void JudgementBalloon::dismiss()
{
    qApp->removeEventFilter(this);
    hide();
}

bool JudgementBalloon::eventFilter(QObject *watched, QEvent *event)
{
    // Any key or mouse button in this window means the user has moved on.
    const QEvent::Type type = event->type();
    if (!watched->isWidgetType())
        return false;
    const auto *widget = static_cast<QWidget *>(watched);
    if (widget->window() != window())
        return false;
    if (type == QEvent::KeyPress) {
        // An unused key travels on to the parents; only its first delivery counts, or the Enter
        // that started the run would close the balloon it just opened.
        const QWidget *focus = window()->focusWidget();
        if (!focus || widget == focus)
            dismiss();
    } else if (type == QEvent::MouseButtonPress || type == QEvent::MouseButtonDblClick) {
        dismiss();
    }
    return false;
}

void JudgementBalloon::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    const QRectF body = QRectF(rect()).adjusted(0.5, PointerHeight + 0.5, -0.5, -0.5);
    QPainterPath path;
    path.addRoundedRect(body, 5, 5);
    QPainterPath tip;
    tip.moveTo(PointerOffset - PointerHeight, body.top() + 1);
    tip.lineTo(PointerOffset, 0.5);
    tip.lineTo(PointerOffset + PointerHeight, body.top() + 1);
    tip.closeSubpath();
    path = path.united(tip);
    painter.setPen(QPen(Border, 1));
    painter.setBrush(Fill);
    painter.drawPath(path);
}
