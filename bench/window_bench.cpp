// Runs through the real window on the offscreen platform: the text typed into qqnum, Enter, and
// the report laid out in resulttxt, against a bare Qt window showing the same text.

#include "bare_window.h"
#include "fortune.h"
#include "mainform.h"
#include "module1.h"
#include "numerology_table.h"
#include "report.h"

#include <QAbstractTextDocumentLayout>
#include <QApplication>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTest>
#include <QTextBlock>
#include <QTextDocument>

#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;

const QString Mobile = QStringLiteral("13812345678");

// A paste of `length` UTF-16 units that still gives a report: a number, Chinese characters
// (a long run of digits would read beyond the double range and be refused) and eight digits.
QString BigPaste(qsizetype length)
{
    const QString head = Mobile;
    const QString tail = QStringLiteral("12345678");
    const qsizetype fill = length - head.size() - tail.size();
    QString text = head;
    text.reserve(length);
    for (qsizetype i = 0; i < fill / 2; ++i)
        text += QStringLiteral("号码");
    if (fill % 2)
        text += u'号';
    text += tail;
    return text;
}

// What the result box shows for `input`: the report and its closing full stop.
QString ShownReport(const QString &input)
{
    analysis::Module1 data;
    knowledge::FillNumerologyTable(data.NumerologyTable, data.SayingThreeList);
    const std::u16string text = input.toStdU16String();
    analysis::ComposeReport(data, text, analysis::DeriveFortuneNumber(text).FortuneNumber);
    return QString::fromStdU16String(data.ReportText) + u'。';
}

// Paints what is pending, then lays out every block, including those scrolled out of view
// that the plain-text layout would otherwise leave for later.
void LayOut(QPlainTextEdit &box)
{
    QCoreApplication::processEvents();
    QAbstractTextDocumentLayout *layout = box.document()->documentLayout();
    for (QTextBlock block = box.document()->begin(); block.isValid(); block = block.next())
        benchmark::DoNotOptimize(layout->blockBoundingRect(block));
    benchmark::DoNotOptimize(layout->documentSize());
}

double Median(std::vector<double> values)
{
    if (values.empty())
        return 0;
    std::sort(values.begin(), values.end());
    const std::size_t mid = values.size() / 2;
    return values.size() % 2 ? values[mid] : (values[mid - 1] + values[mid]) / 2;
}

class Samples {
public:
    explicit Samples(benchmark::State &state) : m_state(state) {}
    void add(Clock::time_point start)
    {
        const double seconds = std::chrono::duration<double>(Clock::now() - start).count();
        m_state.SetIterationTime(seconds);
        m_seconds.push_back(seconds);
    }
    void report(qsizetype inputLength)
    {
        const double median = Median(m_seconds);
        m_state.counters["median_ms"] = median * 1e3;
        m_state.counters["ns_per_char"] = median * 1e9 / double(inputLength);
    }

private:
    benchmark::State &m_state;
    std::vector<double> m_seconds;
};

struct ProgramWindow {
    ProgramWindow()
    {
        form.Form_Load();
        qqnum = form.findChild<QLineEdit *>(QStringLiteral("qqnum"));
        resulttxt = form.findChild<QPlainTextEdit *>(QStringLiteral("resulttxt"));
        QCoreApplication::processEvents();
    }
    void run(const QString &input)
    {
        qqnum->setText(input);
        QTest::keyClick(qqnum, Qt::Key_Return);
        LayOut(*resulttxt);
    }

    MainForm form;
    QLineEdit *qqnum = nullptr;
    QPlainTextEdit *resulttxt = nullptr;
};

void MeasureProgram(benchmark::State &state, const QString &input, QTextOption::WrapMode wrap)
{
    ProgramWindow window;
    if (!window.qqnum || !window.resulttxt) {
        state.SkipWithError("qqnum or resulttxt not found");
        return;
    }
    window.resulttxt->setWordWrapMode(wrap);
    // Untimed first run: warms the font caches, and a refused input must not pass for fast.
    window.run(input);
    if (window.form.lastRun().outcome != analysis::Outcome::Report
        || window.resulttxt->document()->characterCount() <= input.size()) {
        state.SkipWithError("the input gave no report");
        return;
    }
    Samples samples(state);
    for (auto _ : state) {
        const Clock::time_point start = Clock::now();
        window.run(input);
        samples.add(start);
    }
    samples.report(input.size());
    state.SetComplexityN(input.size());
}

// Baseline: a bare window given the same input and report directly, its text box set up as
// the program's is, so that the difference is what the program adds on top of Qt.
void MeasureBare(benchmark::State &state, const QString &input)
{
    BareWindow window;
    window.text->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    window.text->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    window.text->setLineWrapMode(QPlainTextEdit::WidgetWidth);
    window.text->setWordWrapMode(QTextOption::WrapAnywhere);
    window.show();
    window.line->setFocus();
    const QString shown = ShownReport(input);
    auto run = [&] {
        window.line->setText(input);
        window.text->setPlainText(shown);
        LayOut(*window.text);
    };
    run();
    Samples samples(state);
    for (auto _ : state) {
        const Clock::time_point start = Clock::now();
        run();
        samples.add(start);
    }
    samples.report(input.size());
    state.SetComplexityN(input.size());
}

void BM_WindowRun(benchmark::State &state)
{
    MeasureProgram(state, Mobile, QTextOption::WrapAnywhere);
}
BENCHMARK(BM_WindowRun)->Name("Window/Run/13812345678")
    ->UseManualTime()->MinTime(1.0)->Unit(benchmark::kMicrosecond);

void BM_BareRun(benchmark::State &state) { MeasureBare(state, Mobile); }
BENCHMARK(BM_BareRun)->Name("Bare/Show/13812345678")
    ->UseManualTime()->MinTime(1.0)->Unit(benchmark::kMicrosecond);

void BM_WindowPaste(benchmark::State &state)
{
    MeasureProgram(state, BigPaste(state.range(0)), QTextOption::WrapAnywhere);
}
BENCHMARK(BM_WindowPaste)->Name("Window/BigPaste")
    ->Arg(10'000)->Arg(100'000)->Arg(1'000'000)->Iterations(5)
    ->UseManualTime()->Unit(benchmark::kMillisecond)->Complexity(benchmark::oN);

void BM_BarePaste(benchmark::State &state) { MeasureBare(state, BigPaste(state.range(0))); }
BENCHMARK(BM_BarePaste)->Name("Bare/BigPaste")
    ->Arg(10'000)->Arg(100'000)->Arg(1'000'000)->Iterations(5)
    ->UseManualTime()->Unit(benchmark::kMillisecond)->Complexity(benchmark::oN);

// Qt's default wrapping, for comparison with the WrapAnywhere of Window/BigPaste/100000.
void BM_WindowPasteWordWrap(benchmark::State &state)
{
    MeasureProgram(state, BigPaste(state.range(0)), QTextOption::WrapAtWordBoundaryOrAnywhere);
}
BENCHMARK(BM_WindowPasteWordWrap)->Name("Window/BigPaste_WrapAtWordBoundaryOrAnywhere")
    ->Arg(100'000)->Iterations(5)->UseManualTime()->Unit(benchmark::kMillisecond);

} // namespace
