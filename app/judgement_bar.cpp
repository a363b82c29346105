#include "app/judgement_bar.h"

#include "app/layout.h"
#include "app/result_box.h"

#include <QAccessible>
#include <QHBoxLayout>
#include <QLabel>
#include <QPainter>
#include <QShortcut>
#include <QStyle>
#include <QToolButton>

namespace {

// Room between the bar's edge and its text, and between the text and the close button.
constexpr QMargins TextMargins{8, 4, 2, 4};
constexpr int ButtonGap = 4;

} // namespace

JudgementBar::JudgementBar(ResultBox *box) : QFrame(box), m_box(box)
{
    setObjectName(QStringLiteral("judgement"));
    setFocusPolicy(Qt::NoFocus);
    setAccessibleName(QStringLiteral("测算评语"));

    m_text = new QLabel(this);
    m_text->setWordWrap(true);
    m_text->setTextFormat(Qt::PlainText);
    layout::setColour(m_text, QPalette::WindowText, layout::CreditBlack);

    // No focus: the Tab order stays the window's three controls; Esc closes the bar from any of
    // them.
    auto *close = new QToolButton(this);
    close->setObjectName(QStringLiteral("judgement-close"));
    close->setAutoRaise(true);
    close->setFocusPolicy(Qt::NoFocus);
    close->setIcon(style()->standardIcon(QStyle::SP_TitleBarCloseButton));
    close->setToolTip(QStringLiteral("关闭（Esc）"));
    close->setAccessibleName(QStringLiteral("关闭评语"));
    connect(close, &QToolButton::clicked, this, &JudgementBar::dismiss);
    // A window shortcut whose parent is the bar: it is live only while the bar shows.
    connect(new QShortcut(Qt::Key_Escape, this), &QShortcut::activated, this,
            &JudgementBar::dismiss);

    auto *row = new QHBoxLayout(this);
    row->setContentsMargins(TextMargins);
    row->setSpacing(ButtonGap);
    row->addWidget(m_text, 1);
    row->addWidget(close, 0, Qt::AlignTop);
    hide();
}

void JudgementBar::present(const QString &verdict, const QString &appraisal)
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

    setGeometry(m_box->reserveTop(heightForWidth(m_box->viewport()->width())));
    show();
    // Only a screen reader wants to hear of it; elsewhere an alert may sound on every run.
    if (QAccessible::isActive()) {
        QAccessibleEvent shown(this, QAccessible::Alert);
        QAccessible::updateAccessibility(&shown);
    }
}

void JudgementBar::dismiss()
{
    if (isHidden())
        return;
    hide();
    m_box->reserveTop(0);
}

void JudgementBar::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.setPen(layout::Green);
    painter.setBrush(layout::PaleYellow);
    painter.drawRect(rect().adjusted(0, 0, -1, -1));
}
