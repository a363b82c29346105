// Runs through the real window on the offscreen platform: a text pasted into qqnum, Enter, and
// the report laid out in resulttxt, against a bare Qt window that does the least the same run
// needs: a line edit whose Enter puts the same report into a text box set up as resulttxt.

#include "analysis/fortune.h"
#include "analysis/module1.h"
#include "analysis/report.h"
#include "app/mainform.h"
#include "bench/bare_window.h"
#include "bench/median.h"

#include <QAbstractTextDocumentLayout>
#include <QApplication>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTest>
#include <QTextBlock>
#include <QTextDocument>

#include <benchmark/benchmark.h>

#include <chrono>
#include <ctime>
#include <initializer_list>
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;

const QString Mobile = QStringLiteral("13812345678");

enum class Filler { Chinese, Digits };

// A paste of `length` UTF-16 units that still gives a report: it leads with a mobile number and
// ends with eight digits. A long run of digits right after the number would read beyond the
// double range and be refused, so the digit filler starts after a Chinese character.
QString BigPaste(qsizetype length, Filler filler)
{
    const QString tail = QStringLiteral("12345678");
    QString text = Mobile;
    text.reserve(length);
    if (filler == Filler::Chinese) {
        const qsizetype fill = length - text.size() - tail.size();
        for (qsizetype i = 0; i < fill / 2; ++i)
            text += QStringLiteral("号码");
        if (fill % 2)
            text += u'号';
    } else {
        text += u'号';
        for (qsizetype i = 0; text.size() < length - tail.size(); ++i)
            text += QChar(u'0' + char16_t(i % 10));
    }
    text += tail;
    return text;
}

// What the result box shows for `input`: the report and its closing full stop.
QString ShownReport(const QString &input)
{
    analysis::Module1 data = analysis::FilledModule();
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

double Seconds(Clock::time_point from, Clock::time_point to)
{
    return std::chrono::duration<double>(to - from).count();
}

// What a run goes through, in the program's window or in the bare one.
struct Run {
    QWidget *window = nullptr;
    QLineEdit *input = nullptr;
    QPlainTextEdit *result = nullptr;
};

// The three steps of a run: the paste (setText), Enter (the run and setPlainText) and the
// layout (painting and every block), so that a slow one can be found.
struct Steps {
    double paste = 0;
    double enter = 0;
    double layout = 0;
    double total() const { return paste + enter + layout; }
};

Steps TimeRun(Run run, const QString &input)
{
    // Untimed: the window active with the caret in its input box, as a user has it, and the
    // box empty, so that the paste is laid out as a new text would be.
    if (!run.window->isActiveWindow()) {
        run.window->activateWindow();
        if (!QTest::qWaitForWindowActive(run.window))
            return {};
    }
    run.input->clear();
    QCoreApplication::processEvents();

    const Clock::time_point start = Clock::now();
    run.input->setText(input);
    const Clock::time_point pasted = Clock::now();
    QTest::keyClick(run.input, Qt::Key_Return);
    const Clock::time_point entered = Clock::now();
    LayOut(*run.result);
    const Clock::time_point end = Clock::now();
    return {Seconds(start, pasted), Seconds(pasted, entered), Seconds(entered, end)};
}

class StepSamples {
public:
    void add(const Steps &steps)
    {
        m_total.push_back(steps.total());
        m_paste.push_back(steps.paste);
        m_enter.push_back(steps.enter);
        m_layout.push_back(steps.layout);
    }
    double total() const { return Median(m_total); }
    double paste() const { return Median(m_paste); }
    double enter() const { return Median(m_enter); }
    double layout() const { return Median(m_layout); }

private:
    std::vector<double> m_total;
    std::vector<double> m_paste;
    std::vector<double> m_enter;
    std::vector<double> m_layout;
};

// Times runs of `input` in `subject`, each right after one in `baseline`, so that both see the
// same moments of a noisy machine; time_ratio is the figure to read. The manual time and the
// step counters are the subject's.
void MeasureAgainst(benchmark::State &state, Run subject, Run baseline, const QString &input,
                    const std::string &baselineName)
{
    StepSamples subjectSamples;
    StepSamples baselineSamples;
    for (auto _ : state) {
        const Steps base = TimeRun(baseline, input);
        const Steps steps = TimeRun(subject, input);
        if (base.total() <= 0 || steps.total() <= 0) {
            state.SkipWithError("a window did not become active");
            return;
        }
        baselineSamples.add(base);
        subjectSamples.add(steps);
        state.SetIterationTime(steps.total());
    }
    const double median = subjectSamples.total();
    state.counters["median_ms"] = median * 1e3;
    state.counters["paste_ms"] = subjectSamples.paste() * 1e3;
    state.counters["enter_ms"] = subjectSamples.enter() * 1e3;
    state.counters["layout_ms"] = subjectSamples.layout() * 1e3;
    state.counters["ns_per_char"] = median * 1e9 / double(input.size());
    state.counters[baselineName + "_ms"] = baselineSamples.total() * 1e3;
    state.counters["time_ratio"] = median / baselineSamples.total();
}

class ProgramWindow {
public:
    ProgramWindow()
    {
        m_form.Form_Load();
        m_run.window = &m_form;
        m_run.input = m_form.findChild<QLineEdit *>(QStringLiteral("qqnum"));
        m_run.result = m_form.findChild<QPlainTextEdit *>(QStringLiteral("resulttxt"));
        QCoreApplication::processEvents();
    }

    // Runs `input` once, untimed: warms the font caches, and a refused input must not pass for
    // fast. Returns the controls when it gave a report.
    std::optional<Run> ready(const QString &input)
    {
        if (!m_run.input || !m_run.result)
            return std::nullopt;
        m_run.input->setText(input);
        QTest::keyClick(m_run.input, Qt::Key_Return);
        LayOut(*m_run.result);
        if (m_form.lastRun().outcome != analysis::Outcome::Report
            || m_run.result->document()->characterCount() <= input.size())
            return std::nullopt;
        return m_run;
    }

private:
    MainForm m_form;
    Run m_run;
};

// The yardstick for a run: Enter in the line edit puts the report that the program would show
// into a text box set up as resulttxt is, and does nothing else. It wraps as Qt does unless told
// otherwise.
class WiredBareWindow {
public:
    explicit WiredBareWindow(const QString &input,
                             QTextOption::WrapMode wrap = QTextOption::WrapAtWordBoundaryOrAnywhere)
        : m_shown(ShownReport(input))
    {
        QPlainTextEdit *text = m_window.text;
        text->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
        text->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
        text->setLineWrapMode(QPlainTextEdit::WidgetWidth);
        text->setWordWrapMode(wrap);
        QObject::connect(m_window.line, &QLineEdit::returnPressed, text,
                         [this, text] { text->setPlainText(m_shown); });
        m_window.show();
        m_window.line->setFocus();
        m_window.line->setText(input);
        QTest::keyClick(m_window.line, Qt::Key_Return);
        LayOut(*text);
    }
    Run run() { return {&m_window, m_window.line, m_window.text}; }

private:
    BareWindow m_window;
    QString m_shown;
};

void MeasureAgainstBare(benchmark::State &state, const QString &input,
                        QTextOption::WrapMode bareWrap = QTextOption::WrapAtWordBoundaryOrAnywhere)
{
    ProgramWindow program;
    const std::optional<Run> run = program.ready(input);
    if (!run) {
        state.SkipWithError("the input gave no report");
        return;
    }
    WiredBareWindow bare(input, bareWrap);
    MeasureAgainst(state, *run, bare.run(), input, "bare");
}

void BM_Run(benchmark::State &state) { MeasureAgainstBare(state, Mobile); }
BENCHMARK(BM_Run)
    ->Name("Window/Run/13812345678")
    ->UseManualTime()
    ->MinTime(2.0)
    ->Unit(benchmark::kMicrosecond);

void BM_BigPaste(benchmark::State &state)
{
    MeasureAgainstBare(state, BigPaste(state.range(0), Filler::Chinese));
}

// A run of digits as long as the paste offers no line break: the program wraps it anywhere, as
// its yardstick here does; Qt's default wrapping would be quadratic in the run's length.
void BM_BigDigitPaste(benchmark::State &state)
{
    MeasureAgainstBare(state, BigPaste(state.range(0), Filler::Digits), QTextOption::WrapAnywhere);
}

// Fixed counts, fewer for the bigger pastes so that 1,000,000 characters take seconds, not
// minutes; ns_per_char staying flat across the sizes shows the cost growing linearly.
void RegisterBigPastes(const char *name, void (*measure)(benchmark::State &),
                       std::initializer_list<std::pair<int, int>> lengthsAndIterations)
{
    for (const auto &[length, iterations] : lengthsAndIterations) {
        benchmark::RegisterBenchmark(name, measure)
            ->Arg(length)
            ->Iterations(iterations)
            ->UseManualTime()
            ->Unit(benchmark::kMillisecond);
    }
}

[[maybe_unused]] const bool BigPastesRegistered = [] {
    RegisterBigPastes("Window/BigPaste", BM_BigPaste,
                      {{10'000, 40}, {100'000, 15}, {1'000'000, 5}});
    RegisterBigPastes("Window/BigDigitPaste", BM_BigDigitPaste, {{100'000, 15}, {1'000'000, 5}});
    return true;
}();

// Why: Qt's default wrapping against wrapping anywhere, in two bare windows. Between Chinese
// characters either may break; in a long run of digits only WrapAnywhere finds a break without
// measuring the rest of the run for every line.
void BM_WrapModes(benchmark::State &state, Filler filler)
{
    const QString input = BigPaste(state.range(0), filler);
    WiredBareWindow byRules(input);
    WiredBareWindow anywhere(input, QTextOption::WrapAnywhere);
    MeasureAgainst(state, byRules.run(), anywhere.run(), input, "WrapAnywhere");
}
BENCHMARK_CAPTURE(BM_WrapModes, Chinese, Filler::Chinese)
    ->Name("Bare/BigPaste_WrapAtWordBoundaryOrAnywhere")
    ->Arg(100'000)
    ->Iterations(10)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_WrapModes, Digits, Filler::Digits)
    ->Name("Bare/BigDigitPaste_WrapAtWordBoundaryOrAnywhere")
    ->Arg(100'000)
    ->Iterations(3)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond);

// The window left alone after a big paste, the caret blinking in the input box: the time is
// the processor time the process spends per second of idling.
void MeasureIdle(benchmark::State &state)
{
    for (auto _ : state) {
        const std::clock_t before = std::clock();
        QTest::qWait(1000);
        state.SetIterationTime(double(std::clock() - before) / CLOCKS_PER_SEC);
    }
}

// Both idle benchmarks: the two big pastes, three seconds of idling each.
void IdleSizes(benchmark::internal::Benchmark *idle)
{
    idle->Arg(100'000)->Arg(1'000'000)->Iterations(3)->UseManualTime()->Unit(
        benchmark::kMillisecond);
}

void BM_WindowIdle(benchmark::State &state)
{
    const QString input = BigPaste(state.range(0), Filler::Chinese);
    ProgramWindow window;
    const std::optional<Run> run = window.ready(input);
    if (!run) {
        state.SkipWithError("the input gave no report");
        return;
    }
    MeasureIdle(state);
}
BENCHMARK(BM_WindowIdle)->Name("Window/IdleAfterPaste")->Apply(IdleSizes);

void BM_BareIdle(benchmark::State &state)
{
    const QString input = BigPaste(state.range(0), Filler::Chinese);
    WiredBareWindow window(input);
    MeasureIdle(state);
}
BENCHMARK(BM_BareIdle)->Name("Bare/IdleAfterPaste")->Apply(IdleSizes);

} // namespace
