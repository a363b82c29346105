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

// Qt's JSON objects sort their keys; the probe's objects keep their own order, so they are
// joined by hand from strings and arrays that Qt writes. Qt writes a lone surrogate as a \uXXXX
// escape and reads such an escape back as the lone surrogate, so texts survive both ways.
std::string toJson(const QJsonArray &array)
{
    return QJsonDocument(array).toJson(QJsonDocument::Compact).toStdString();
}

std::string quote(const QString &text)
{
    const std::string array = toJson({text});
    return array.substr(1, array.size() - 2);
}

std::string nullable(const std::optional<QString> &text) { return text ? quote(*text) : "null"; }

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
        std::cout << "{\"input\":" << quote(*input) << ",\"outcome\":\"" << outcome
                  << "\",\"fortune\":"
                  << (run.outcome == analysis::Outcome::Report ? std::to_string(run.FortuneNumber)
                                                               : "null")
                  << ",\"result\":" << quote(c.resulttxt->toPlainText())
                  << ",\"qqnum\":" << quote(c.qqnum->text()) << ",\"message\":"
                  << nullable(message ? std::optional(message->text) : std::nullopt)
                  << ",\"caption\":"
                  << nullable(message ? std::optional(message->caption) : std::nullopt)
                  << ",\"appraisal\":" << quote(judged ? judgement.appraisal() : QString())
                  << ",\"verdict\":" << quote(judged ? judgement.verdict() : QString()) << "}\n"
                  << std::flush;
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
    std::cout << "{\"rows\":" << toJson(rows)
              << ",\"saying_three\":" << toJson(texts(data.SayingThreeList))
              << ",\"intro\":" << quote(QStringView(data.IntroText).toString()) << "}\n";
}

std::string cursorName(const QWidget *widget)
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
    auto rect = [](const QRect &r) {
        return "[" + std::to_string(r.x()) + "," + std::to_string(r.y()) + ","
               + std::to_string(r.width()) + "," + std::to_string(r.height()) + "]";
    };
    std::cout << "{\"caption\":" << quote(form.windowTitle()) << ",\"client\":[" << form.width()
              << "," << form.height()
              << "],\"resizable\":" << (form.minimumSize() != form.maximumSize() ? "true" : "false")
              << ",\"focus\":"
              << quote(form.focusWidget() ? form.focusWidget()->objectName() : QString())
              << ",\"selection\":[" << c.qqnum->selectionStart() << ","
              << c.qqnum->selectedText().size() << "],\"tab_order\":[";
    QWidget *widget = c.qqnum;
    do {
        std::cout << (widget == c.qqnum ? "" : ",") << quote(widget->objectName());
        do
            widget = widget->nextInFocusChain();
        while (widget != c.qqnum
               && !(widget->focusPolicy() & Qt::TabFocus && widget->isVisible()
                    && widget->window() == &form && widget->isEnabled()));
    } while (widget != c.qqnum);
    std::cout << "," << quote(c.qqnum->objectName()) << "],\"controls\":[";

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
    bool first = true;
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
        std::cout << (first ? "" : ",") << "{\"name\":\""
                  << (entry.index >= 0 ? "Image1" : entry.name)
                  << "\",\"index\":" << (entry.index >= 0 ? std::to_string(entry.index) : "null")
                  << ",\"kind\":\"" << entry.kind << "\",\"rect\":" << rect(control->geometry())
                  << ",\"text\":" << quote(text) << ",\"tooltip\":" << quote(control->toolTip())
                  << ",\"cursor\":\"" << cursorName(pointerOwner) << "\"}";
        first = false;
    }
    std::cout << "]}\n";
}

} // namespace

int main(int argc, char *argv[])
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
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
