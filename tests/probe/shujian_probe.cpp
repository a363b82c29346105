// Drives the real window from outside, one JSON line at a time; see --help.

#include "app/application.h"
#include "app/judgement_bar.h"
#include "app/mainform.h"
#include "tests/window_driver.h"

#include <QApplication>
#include <QJsonArray>
#include <QJsonDocument>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>

#include <initializer_list>
#include <iostream>
#include <optional>
#include <string>

namespace {

constexpr const char *Usage =
    "usage: shujian-probe [--click | --table | --layout]\n"
    "  (no option)  read JSON string literals from standard input, one per line; for each, set\n"
    "               the input box, press Enter (--click: click the button) and print one JSON\n"
    "               object with the outcome of the run\n"
    "  --table      print the filled table and the introduction as JSON\n"
    "  --layout     print the window, its controls and their settings as JSON\n";

// One value as Qt writes it. Qt writes a lone surrogate as a \uXXXX escape and reads such an
// escape back as the lone surrogate, so texts survive both ways.
std::string json(const QJsonValue &value)
{
    const QByteArray array = QJsonDocument(QJsonArray{value}).toJson(QJsonDocument::Compact);
    return array.sliced(1, array.size() - 2).toStdString();
}

// Qt's JSON objects sort their keys; the probe's keep their own order, so they are joined here
// from members whose values are already JSON.
std::string object(std::initializer_list<std::pair<const char *, std::string>> members)
{
    std::string joined;
    for (const auto &[key, value] : members)
        joined += (joined.empty() ? "{\"" : ",\"") + std::string(key) + "\":" + value;
    return joined + "}";
}

// One JSON string literal, blanks around it allowed; nothing for anything else.
std::optional<QString> parseString(const std::string &line)
{
    const QJsonArray array =
        QJsonDocument::fromJson("[" + QByteArray::fromStdString(line) + "]").array();
    if (array.size() != 1 || !array.first().isString())
        return std::nullopt;
    return array.first().toString();
}

int probeRuns(MainForm &form, bool click)
{
    Controls c(form);
    std::string line;
    int lineNumber = 0;
    while (std::getline(std::cin, line)) {
        ++lineNumber;
        const std::optional<QString> input = parseString(line);
        if (!input) {
            std::cerr << "line " << lineNumber << ": not a JSON string literal\n";
            return 2;
        }
        c.qqnum->setText(*input);
        const std::optional<MessageSeen> message = AnsweringMessageBox([&] {
            if (click)
                QTest::mouseClick(c.Command1, Qt::LeftButton);
            else
                QTest::keyClick(c.qqnum, Qt::Key_Return);
        });
        const analysis::Derivation run = form.lastRun();
        const char *outcome = run.outcome == analysis::Outcome::Report     ? "report"
                              : run.outcome == analysis::Outcome::Rejected ? "rejected"
                                                                           : "beyond";
        const JudgementBar &judgement = form.judgement();
        const bool judged = judgement.isVisible();
        const bool reported = run.outcome == analysis::Outcome::Report;
        std::cout << object(
            {{"input", json(*input)},
             {"outcome", json(QLatin1StringView(outcome))},
             {"fortune", json(reported ? QJsonValue(run.FortuneNumber) : QJsonValue())},
             {"result", json(c.resulttxt->toPlainText())},
             {"qqnum", json(c.qqnum->text())},
             {"message", json(message ? QJsonValue(message->text) : QJsonValue())},
             {"caption", json(message ? QJsonValue(message->caption) : QJsonValue())},
             {"appraisal", json(judged ? judgement.appraisal() : QString())},
             {"verdict", json(judged ? judgement.verdict() : QString())}})
                  << std::endl;
    }
    return 0;
}

void printTable(const MainForm &form)
{
    const analysis::Module1 &data = form.module();
    auto texts = [](const auto &cells) {
        QJsonArray array;
        for (std::u16string_view cell : cells)
            array.append(QStringView(cell).toString());
        return array;
    };
    QJsonArray rows;
    for (const knowledge::Row &row : data.NumerologyTable)
        rows.append(texts(row));
    std::cout << object({{"rows", json(rows)},
                         {"saying_three", json(texts(data.SayingThreeList))},
                         {"intro", json(QStringView(data.IntroText).toString())}})
              << "\n";
}

const char *cursorName(const QWidget *widget)
{
    const QCursor cursor = widget->cursor();
    if (cursor.shape() == Qt::IBeamCursor)
        return "ibeam";
    if (cursor.shape() == Qt::BitmapCursor && cursor.hotSpot() == QPoint(12, 8))
        return "arrow-picture";
    return "other";
}

void printLayout(MainForm &form)
{
    Controls c(form);
    auto rect = [](const QRect &r) { return QJsonArray{r.x(), r.y(), r.width(), r.height()}; };
    QJsonArray tabOrder;
    QWidget *widget = c.qqnum;
    do {
        tabOrder.append(widget->objectName());
        do
            widget = widget->nextInFocusChain();
        while (widget != c.qqnum
               && !(widget->focusPolicy() & Qt::TabFocus && widget->isVisible()
                    && widget->window() == &form && widget->isEnabled()));
    } while (widget != c.qqnum);
    tabOrder.append(c.qqnum->objectName());

    struct Entry {
        const char *name;
        int index;
        const char *kind;
    };
    const Entry entries[] = {
        {"Command1", -1, "command button"},
        {"qqnum", -1, "text box"},
        {"Label2", -1, "label"},
        {"Label1", -1, "label"},
        {"resulttxt", -1, "multi-line text box"},
        {"Line1", -1, "line"},
        {"Image1_5", 5, "image box"},
        {"Image1_6", 6, "image box"},
        {"Image1_0", 0, "image box"},
    };
    std::string controls;
    for (const Entry &entry : entries) {
        const QWidget *control = form.findChild<QWidget *>(QString::fromLatin1(entry.name));
        QString text;
        if (auto *label = qobject_cast<const QLabel *>(control))
            text = label->text();
        else if (auto *edit = qobject_cast<const QLineEdit *>(control))
            text = edit->text();
        else if (auto *box = qobject_cast<const QPlainTextEdit *>(control))
            text = box->toPlainText();
        else if (auto *button = qobject_cast<const QPushButton *>(control))
            text = button->text();
        const QWidget *pointerOwner = control;
        if (auto *box = qobject_cast<const QPlainTextEdit *>(control))
            pointerOwner = box->viewport();
        const bool indexed = entry.index >= 0;
        controls += (controls.empty() ? "" : ",")
                    + object({{"name", json(QLatin1StringView(indexed ? "Image1" : entry.name))},
                              {"index", json(indexed ? QJsonValue(entry.index) : QJsonValue())},
                              {"kind", json(QLatin1StringView(entry.kind))},
                              {"rect", json(rect(control->geometry()))},
                              {"text", json(text)},
                              {"tooltip", json(control->toolTip())},
                              {"cursor", json(QLatin1StringView(cursorName(pointerOwner)))}});
    }
    const QWidget *focus = form.focusWidget();
    std::cout << object({{"caption", json(form.windowTitle())},
                         {"client", json(QJsonArray{form.width(), form.height()})},
                         {"resizable", json(form.minimumSize() != form.maximumSize())},
                         {"focus", json(focus ? focus->objectName() : QString())},
                         {"selection", json(QJsonArray{c.qqnum->selectionStart(),
                                                       int(c.qqnum->selectedText().size())})},
                         {"tab_order", json(tabOrder)},
                         {"controls", "[" + controls + "]"}})
              << "\n";
}

} // namespace

int main(int argc, char *argv[])
{
    DefaultToOffscreen();
    QApplication app(argc, argv);
    SetUpApplication();
    const QStringList arguments = QApplication::arguments().mid(1);
    if (arguments.size() > 1
        || (arguments.size() == 1
            && !QStringList{"--click", "--table", "--layout"}.contains(arguments.front()))) {
        std::cerr << Usage;
        return arguments.contains(QStringLiteral("--help")) ? 0 : 2;
    }
    MainForm form;
    form.Form_Load();
    const QString mode = arguments.value(0);
    if (mode == QStringLiteral("--table")) {
        printTable(form);
        return 0;
    }
    if (mode == QStringLiteral("--layout")) {
        printLayout(form);
        return 0;
    }
    return probeRuns(form, mode == QStringLiteral("--click"));
}
