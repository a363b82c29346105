#include "app/result_box.h"

#include <QMimeData>
#include <QTextBoundaryFinder>

namespace {

// Before each line it breaks inside a run that offers no break, Qt's rule-based wrapping
// measures the run to its end, so laying out the run costs the square of its length. Up to this
// many UTF-16 units (twenty lines of digits in the box, far more than any number typed) that
// adds under a tenth of a millisecond; at 30,000 it adds 0.14 s, at a million about a minute.
// Wrapping anywhere stays linear. The report of a typed number is shorter than this, so only a
// long paste is ever scanned.
constexpr qsizetype LongestTypesetRun = 1000;

bool hasLongRun(const QString &text)
{
    if (text.size() <= LongestTypesetRun)
        return false;
    // The layout's own break opportunities; every line break is one.
    QTextBoundaryFinder breaks(QTextBoundaryFinder::Line, text);
    qsizetype previous = 0;
    for (qsizetype at = breaks.toNextBoundary(); at != -1; at = breaks.toNextBoundary()) {
        if (at - previous > LongestTypesetRun)
            return true;
        previous = at;
    }
    return false;
}

} // namespace

void ResultBox::setText(const QString &text)
{
    wrapFor(text);
    setPlainText(text);
}

QRect ResultBox::reserveTop(int height)
{
    if (viewportMargins().top() != height)
        setViewportMargins(0, height, 0, 0);
    const QRect text = viewport()->geometry();
    return {text.left(), text.top() - height, text.width(), height};
}

void ResultBox::insertFromMimeData(const QMimeData *source)
{
    // A paste that brings a long run is laid out wrapping anywhere; then the whole text decides.
    // The paste joins the runs beside the cursor, but those are short unless the box wraps
    // anywhere already.
    if (source->hasText() && hasLongRun(source->text()))
        setWordWrapMode(QTextOption::WrapAnywhere);
    QPlainTextEdit::insertFromMimeData(source);
    wrapFor(toPlainText());
}

void ResultBox::wrapFor(const QString &text)
{
    setWordWrapMode(hasLongRun(text) ? QTextOption::WrapAnywhere
                                     : QTextOption::WrapAtWordBoundaryOrAnywhere);
}
