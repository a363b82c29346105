#include "app/icon_picture.h"
#include "app/judgement_bar.h"
#include "app/mainform.h"
#include "app/placement.h"
#include "tests/window_driver.h"

#include <QAbstractTextDocumentLayout>
#include <QAccessible>
#include <QApplication>
#include <QClipboard>
#include <QDesktopServices>
#include <QFile>
#include <QImageReader>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMimeData>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QTest>
#include <QTextBlock>
#include <QTextLayout>
#include <QTimer>
#include <QToolButton>
#include <QUrl>

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <memory>

inline void PrintTo(const QString &text, std::ostream *os)
{
    *os << '"' << text.toStdString() << '"';
}

namespace {

const QString Prompt = QStringLiteral("在此输要测的数字");
const QString RejectionPrompt = QStringLiteral("在此输入QQ号码");

class WindowTest : public ::testing::Test {
protected:
    WindowTest() : form(std::make_unique<MainForm>()), c(*form) { form->Form_Load(); }

    void type(const QString &text) { c.qqnum->setText(text); }
    std::optional<MessageSeen> pressEnter()
    {
        return AnsweringMessageBox([this] { QTest::keyClick(c.qqnum, Qt::Key_Return); });
    }
    std::optional<MessageSeen> clickButton()
    {
        return AnsweringMessageBox([this] { QTest::mouseClick(c.Command1, Qt::LeftButton); });
    }
    QString result() const { return c.resulttxt->toPlainText(); }
    QString intro() const { return QString::fromStdU16String(form->module().IntroText); }
    const JudgementBar &judgement() const { return form->judgement(); }

    std::unique_ptr<MainForm> form;
    Controls c;
};

} // namespace

TEST_F(WindowTest, StartsWithThePromptSelectedAndTheIntroductionShown)
{
    EXPECT_EQ(form->windowTitle(), QApplication::applicationName() + QStringLiteral(" v")
                                       + QApplication::applicationVersion());
    EXPECT_EQ(form->size(), QSize(401, 319));
    EXPECT_EQ(form->minimumSize(), form->maximumSize());
    EXPECT_FALSE(form->windowFlags() & Qt::WindowMaximizeButtonHint);
    EXPECT_FALSE(form->windowFlags() & Qt::WindowMinimizeButtonHint);
    EXPECT_TRUE(form->windowFlags() & Qt::WindowCloseButtonHint);
    EXPECT_FALSE(form->windowIcon().isNull());

    EXPECT_EQ(form->focusWidget(), c.qqnum);
    EXPECT_EQ(c.qqnum->text(), Prompt);
    EXPECT_EQ(c.qqnum->selectionStart(), 0);
    EXPECT_EQ(c.qqnum->selectedText(), Prompt);
    EXPECT_EQ(c.qqnum->palette().color(QPalette::Text), QColor(0xFF, 0, 0));

    EXPECT_EQ(intro(), result());
    EXPECT_EQ(result().size() + 18, 242) << "18 line ends of two characters each";
    EXPECT_TRUE(
        result().startsWith(QStringLiteral("    本软件根据在玄学中地位重要的八十一数理制作！\n")));
    EXPECT_EQ(c.resulttxt->verticalScrollBar()->value(), 0);
    EXPECT_EQ(c.resulttxt->verticalScrollBarPolicy(), Qt::ScrollBarAlwaysOn);
    EXPECT_EQ(c.resulttxt->horizontalScrollBarPolicy(), Qt::ScrollBarAlwaysOff);
    EXPECT_TRUE(c.Label2->isVisible());
    EXPECT_FALSE(judgement().isVisible());
}

TEST_F(WindowTest, OnlyEnterAloneOrWithShiftStartsARun)
{
    struct Case {
        Qt::Key key;
        Qt::KeyboardModifiers modifiers;
        bool runs;
    };
    const Case cases[] = {
        {Qt::Key_Return, Qt::NoModifier, true},
        {Qt::Key_Return, Qt::ShiftModifier, true},
        {Qt::Key_Enter, Qt::KeypadModifier, true},
        {Qt::Key_Enter, Qt::KeypadModifier | Qt::ShiftModifier, true},
        {Qt::Key_Return, Qt::ControlModifier, false}, // a line feed, not a carriage return
        {Qt::Key_Enter, Qt::KeypadModifier | Qt::ControlModifier, false},
        {Qt::Key_Return, Qt::AltModifier, false}, // a system key
        {Qt::Key_Return, Qt::ControlModifier | Qt::AltModifier, false},
    };
    for (const Case &key : cases) {
        type(QString());
        pressEnter(); // back to the introduction
        type(QStringLiteral("161"));
        AnsweringMessageBox([&] { QTest::keyClick(c.qqnum, key.key, key.modifiers); });
        EXPECT_EQ(result().contains(QStringLiteral("\n这个数字的数理是：1\n")), key.runs)
            << key.key << " with " << key.modifiers;
    }
}

namespace {

// Where the result box, as it lays its text out, breaks a line against Chinese typesetting: a
// line that starts with closing punctuation or follows one that ends with opening punctuation.
QStringList BadLineBreaks(QPlainTextEdit &box)
{
    const QString closing = QStringLiteral("。，、：；！？）」』】》”’…");
    const QString opening = QStringLiteral("（「『【《“‘");
    QStringList bad;
    QAbstractTextDocumentLayout *layout = box.document()->documentLayout();
    for (QTextBlock block = box.document()->begin(); block.isValid(); block = block.next()) {
        layout->blockBoundingRect(block); // lays the block out, even where it is out of view
        const QString text = block.text();
        const QTextLayout *lines = block.layout();
        for (int i = 1; i < lines->lineCount(); ++i) {
            const qsizetype at = lines->lineAt(i).textStart();
            qsizetype end = at; // blanks may hang past the end of a line
            while (end > 0 && text[end - 1] == u' ')
                --end;
            if (closing.contains(text[at]) || (end > 0 && opening.contains(text[end - 1])))
                bad << text.left(at).right(4) + u'|' + text.mid(at, 4);
        }
    }
    return bad;
}

} // namespace

TEST_F(WindowTest, WrapsTheTextByChineseLineBreakingRules)
{
    EXPECT_EQ(BadLineBreaks(*c.resulttxt), QStringList()) << "the introduction";
    EXPECT_GT(c.resulttxt->document()->lineCount(), c.resulttxt->document()->blockCount())
        << "some of its lines wrap";
    for (int number = 1; number <= 81; ++number) {
        type(QString::number(number));
        pressEnter();
        EXPECT_EQ(BadLineBreaks(*c.resulttxt), QStringList()) << "the report of " << number;
    }
}

TEST_F(WindowTest, RejectsAnInputWithoutANumberAndOffersThePrompt)
{
    // Running on the untouched prompt is the first thing many users do.
    const auto message = pressEnter();
    ASSERT_TRUE(message);
    EXPECT_EQ(message->text, QStringLiteral("抱歉，本软件无该数字（不是数字吧）的信息！"));
    EXPECT_EQ(message->caption, QApplication::applicationName());
    EXPECT_EQ(message->button, QStringLiteral("确定")) << "Qt's texts are Chinese too";
    EXPECT_EQ(c.qqnum->text(), RejectionPrompt);
    EXPECT_EQ(result(), intro());
    EXPECT_FALSE(judgement().isVisible());
    // The rejection prompt is rejected in turn.
    EXPECT_TRUE(clickButton());
    EXPECT_EQ(c.qqnum->text(), RejectionPrompt);
}

TEST_F(WindowTest, AfterARejectionTheNextNumberReplacesThePromptAndUndoBringsBackTheInput)
{
    type(QString());
    QTest::keyClicks(c.qqnum, QStringLiteral("abc"));
    ASSERT_TRUE(pressEnter());
    EXPECT_EQ(c.qqnum->selectionStart(), 0);
    EXPECT_EQ(c.qqnum->selectedText(), RejectionPrompt);
    QTest::keyClick(c.qqnum, Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(c.qqnum->text(), QStringLiteral("abc"));

    ASSERT_TRUE(pressEnter());
    QTest::keyClicks(c.qqnum, QStringLiteral("88888"));
    EXPECT_FALSE(pressEnter());
    EXPECT_EQ(c.qqnum->text(), QStringLiteral("88888"));
    EXPECT_TRUE(result().startsWith(QStringLiteral("你所测的数字是：88888\n")));
    EXPECT_EQ(form->lastRun().FortuneNumber, 8);
}

TEST_F(WindowTest, RefusesANumberBeyondReachAndKeepsItForCorrection)
{
    type(QStringLiteral("12345678"));
    pressEnter();
    type(QStringLiteral("-5"));
    const auto message = pressEnter();
    ASSERT_TRUE(message);
    EXPECT_EQ(message->text, QStringLiteral("抱歉，这个数字超出了本软件的测算范围！"));
    EXPECT_EQ(message->caption, QApplication::applicationName());
    EXPECT_EQ(c.qqnum->text(), QStringLiteral("-5"));
    EXPECT_EQ(result(), intro());
    EXPECT_FALSE(judgement().isVisible());
}

TEST_F(WindowTest, ARejectionAfterAReportBringsBackTheIntroduction)
{
    type(QStringLiteral("12345678"));
    pressEnter();
    ASSERT_NE(result(), intro());
    type(QStringLiteral("abc"));
    EXPECT_TRUE(pressEnter());
    EXPECT_EQ(result(), intro());
}

TEST_F(WindowTest, TextTypedIntoTheResultBoxIsReplacedByTheNextRun)
{
    c.resulttxt->setFocus();
    QTest::keyClicks(c.resulttxt, QStringLiteral("my notes"));
    EXPECT_TRUE(result().contains(QStringLiteral("my notes")));
    EXPECT_NE(intro(), result()); // the introduction was kept at start-up
    type(QStringLiteral("88888"));
    clickButton();
    EXPECT_FALSE(result().contains(QStringLiteral("my notes")));
    type(QString());
    pressEnter();
    EXPECT_EQ(result(), intro());
}

TEST_F(WindowTest, AMouseButtonDownInTheInputSelectsAllOfIt)
{
    for (Qt::MouseButton button : {Qt::LeftButton, Qt::MiddleButton, Qt::RightButton}) {
        type(QStringLiteral("13812345678"));
        c.qqnum->setCursorPosition(3);
        // A right button may open the context menu; close it once it is up.
        QTimer::singleShot(0, [] {
            if (QWidget *popup = QApplication::activePopupWidget())
                popup->close();
        });
        QTest::mousePress(c.qqnum, button, {}, QPoint(40, 10));
        EXPECT_EQ(c.qqnum->selectionStart(), 0) << button;
        EXPECT_EQ(c.qqnum->selectedText(), QStringLiteral("13812345678")) << button;
        QTest::mouseRelease(c.qqnum, button, {}, QPoint(40, 10));
        if (QWidget *popup = QApplication::activePopupWidget())
            popup->close();
    }
    type(QString());
    QTest::mousePress(c.qqnum, Qt::LeftButton, Qt::ShiftModifier, QPoint(5, 5));
    EXPECT_FALSE(c.qqnum->hasSelectedText());
    EXPECT_EQ(c.qqnum->cursorPosition(), 0);
}

TEST_F(WindowTest, TabGoesRoundButtonInputAndResult)
{
    form->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(form.get()));
    c.qqnum->setFocus();
    QTest::keyClick(c.qqnum, Qt::Key_Tab);
    EXPECT_EQ(QApplication::focusWidget(), c.resulttxt);
    QTest::keyClick(c.resulttxt, Qt::Key_Tab);
    EXPECT_EQ(QApplication::focusWidget(), c.Command1);
    EXPECT_FALSE(result().contains(u'\t')) << "Tab in the result box moves on, it does not type";
    QTest::keyClick(c.Command1, Qt::Key_Tab);
    EXPECT_EQ(QApplication::focusWidget(), c.qqnum);
    // Enter in the result box starts no run.
    c.resulttxt->setFocus();
    type(QStringLiteral("88888"));
    QTest::keyClick(c.resulttxt, Qt::Key_Return);
    EXPECT_FALSE(result().contains(QStringLiteral("你所测的数字是")));
}

namespace {

class UrlCatcher : public QObject {
    Q_OBJECT
public:
    QList<QUrl> opened;
public slots:
    void open(const QUrl &url) { opened << url; }
};

} // namespace

TEST_F(WindowTest, TheCreditLabelOpensTheMakersPageQuietly)
{
    UrlCatcher catcher;
    QDesktopServices::setUrlHandler(QStringLiteral("https"), &catcher, "open");
    const auto message = AnsweringMessageBox(
        [this] { QTest::mouseClick(c.Label2, Qt::LeftButton, {}, QPoint(10, 5)); });
    // The second half of a double click opens nothing more.
    QTest::mouseDClick(c.Label2, Qt::LeftButton, {}, QPoint(10, 5));
    QTest::mouseRelease(c.Label2, Qt::LeftButton, {}, QPoint(10, 5));
    QDesktopServices::unsetUrlHandler(QStringLiteral("https"));
    ASSERT_EQ(catcher.opened.size(), 1);
    EXPECT_EQ(catcher.opened.front().scheme(), QStringLiteral("https"));
    EXPECT_TRUE(catcher.opened.front().host().endsWith(QStringLiteral(".example")));
    EXPECT_FALSE(message);
    EXPECT_EQ(result(), intro());
}

TEST_F(WindowTest, TheJudgementShowsAboveTheReportWithoutCoveringIt)
{
    form->activateWindow(); // Esc is the window's shortcut
    ASSERT_TRUE(QTest::qWaitForWindowActive(form.get()));
    const QRect textArea = c.resulttxt->viewport()->geometry();
    const QRect scrollBar = c.resulttxt->verticalScrollBar()->geometry();
    type(QStringLiteral("88888"));
    pressEnter();
    ASSERT_TRUE(judgement().isVisible());
    EXPECT_EQ(judgement().verdict(), QStringLiteral("恭喜你！这个QQ号码不错，好好珍惜啊！"));
    EXPECT_EQ(judgement().appraisal(),
              QStringLiteral("恭喜你，这个5位数的QQ至少值400元！\r\n"
                             "这个QQ有5位数相同，绝对精品，值10000元！！！（可不可以给我啊）"));
    EXPECT_TRUE(judgement().accessibleDescription().startsWith(judgement().verdict()));
    EXPECT_EQ(judgement().accessibleName(), QStringLiteral("测算评语"));
    EXPECT_EQ(c.qqnum->text(), QStringLiteral("88888"));

    // The bar takes the top of the text area; the report starts below it, from its first line,
    // and the scroll bar keeps its place and height.
    const QRect bar = judgement().geometry();
    const QRect shownText = c.resulttxt->viewport()->geometry();
    EXPECT_EQ(bar.top(), textArea.top());
    EXPECT_EQ(bar.left(), textArea.left());
    EXPECT_EQ(bar.width(), textArea.width());
    EXPECT_EQ(shownText.top(), bar.bottom() + 1);
    EXPECT_EQ(shownText.bottom(), textArea.bottom());
    EXPECT_EQ(c.resulttxt->verticalScrollBar()->geometry(), scrollBar);
    EXPECT_EQ(c.resulttxt->verticalScrollBar()->value(), 0);
    EXPECT_GE(judgement().height(), judgement().sizeHint().height() / 2);

    // Typing on leaves it; Esc, its close button and the next run close it, giving the room back.
    QTest::keyClicks(c.qqnum, QStringLiteral("8"));
    EXPECT_TRUE(judgement().isVisible());
    QTest::keyClick(c.qqnum, Qt::Key_Escape);
    EXPECT_FALSE(judgement().isVisible());
    EXPECT_EQ(c.resulttxt->viewport()->geometry(), textArea);

    pressEnter();
    ASSERT_TRUE(judgement().isVisible());
    auto *close = judgement().findChild<QToolButton *>();
    ASSERT_NE(close, nullptr);
    EXPECT_EQ(close->focusPolicy(), Qt::NoFocus)
        << "the Tab order stays the window's three controls";
    QTest::mouseClick(close, Qt::LeftButton);
    EXPECT_FALSE(judgement().isVisible());
    EXPECT_EQ(c.resulttxt->viewport()->geometry(), textArea);

    // Eleven characters are not priced, but the verdict still shows.
    type(QStringLiteral("13812345678"));
    clickButton();
    ASSERT_TRUE(judgement().isVisible());
    EXPECT_EQ(judgement().appraisal(), QString());
    EXPECT_EQ(judgement().verdict(), QStringLiteral("这个QQ号不太好拉，建议换一个！"));

    for (const QString &refused : {QStringLiteral("abc"), QStringLiteral("-5")}) {
        pressEnter();
        ASSERT_TRUE(judgement().isVisible());
        type(refused);
        ASSERT_TRUE(pressEnter());
        EXPECT_FALSE(judgement().isVisible()) << refused.toStdString();
        EXPECT_EQ(c.resulttxt->viewport()->geometry(), textArea);
        type(QStringLiteral("13812345678"));
    }
}

TEST_F(WindowTest, APasteKeepsTheFirstLineOfWhatWasCopied)
{
    const std::pair<QString, QString> pastes[] = {
        {QStringLiteral("13812345678\n"), QStringLiteral("13812345678")},
        {QStringLiteral("138\r\n12345678"), QStringLiteral("138")},
        {QStringLiteral("12\r34"), QStringLiteral("12")},
        {QStringLiteral("12\u202834"), QStringLiteral("12")},
        {QStringLiteral("12\u202934"), QStringLiteral("12")},
        {QStringLiteral("\n88888"), QString()},
        {QStringLiteral("88 888"), QStringLiteral("88 888")},
    };
    const std::pair<const char *, std::function<void()>> ways[] = {
        {"Ctrl+V", [&] { QTest::keyClick(c.qqnum, Qt::Key_V, Qt::ControlModifier); }},
        {"Shift+Insert", [&] { QTest::keyClick(c.qqnum, Qt::Key_Insert, Qt::ShiftModifier); }},
        {"context menu",
         [&] {
             QContextMenuEvent event(QContextMenuEvent::Keyboard, QPoint(5, 5),
                                     c.qqnum->mapToGlobal(QPoint(5, 5)));
             QApplication::sendEvent(c.qqnum, &event);
             auto *menu = qobject_cast<QMenu *>(QApplication::activePopupWidget());
             ASSERT_NE(menu, nullptr);
             const QList<QAction *> items = menu->actions();
             const auto paste = std::find_if(items.begin(), items.end(), [](QAction *item) {
                 return item->text().startsWith(QStringLiteral("粘贴"));
             });
             ASSERT_NE(paste, items.end()) << "Qt's menu speaks Chinese";
             (*paste)->trigger();
             menu->close();
         }},
        {"drop",
         [&] {
             QMimeData dragged;
             dragged.setText(QGuiApplication::clipboard()->text());
             QDragEnterEvent enter(QPoint(5, 5), Qt::CopyAction, &dragged, Qt::LeftButton, {});
             QApplication::sendEvent(c.qqnum, &enter);
             QDropEvent drop(QPointF(5, 5), Qt::CopyAction, &dragged, Qt::LeftButton, {},
                             QEvent::Drop);
             QApplication::sendEvent(c.qqnum, &drop);
         }},
    };
    for (const auto &[copied, kept] : pastes) {
        QGuiApplication::clipboard()->setText(copied);
        for (const auto &[way, paste] : ways) {
            type(QString());
            paste();
            EXPECT_EQ(c.qqnum->text(), kept) << way << " of " << copied.toStdString();
        }
    }
}

TEST_F(WindowTest, ThePointerIsTheGreenArrowEverywhereButTheInput)
{
    EXPECT_EQ(c.qqnum->cursor().shape(), Qt::IBeamCursor);
    for (const QWidget *widget :
         {static_cast<const QWidget *>(form.get()), static_cast<const QWidget *>(c.Command1),
          static_cast<const QWidget *>(c.Label2),
          static_cast<const QWidget *>(c.resulttxt->viewport())}) {
        EXPECT_EQ(widget->cursor().shape(), Qt::BitmapCursor) << widget->objectName().toStdString();
        EXPECT_EQ(widget->cursor().hotSpot(), QPoint(12, 8));
    }
}

TEST_F(WindowTest, TheCreditCaptionEndsAboveTheWindowsBottomEdge)
{
    // Label2's box runs past the window's edge; every pixel of ink must fall on the part shown.
    const int shownRows = form->height() - c.Label2->y();
    for (const qreal scale : {1.0, 2.0}) {
        QImage ink(c.Label2->size() * scale, QImage::Format_ARGB32_Premultiplied);
        ink.setDevicePixelRatio(scale);
        ink.fill(Qt::transparent);
        c.Label2->render(&ink, {}, {}, QWidget::DrawChildren); // the caption without background
        int lowest = -1;
        for (int y = 0; y < ink.height(); ++y) {
            for (int x = 0; x < ink.width(); ++x) {
                if (qAlpha(ink.pixel(x, y)) != 0)
                    lowest = y;
            }
        }
        EXPECT_GE(lowest, 0) << "at " << scale;
        EXPECT_LT(lowest, shownRows * scale) << "at " << scale;
    }
}

TEST_F(WindowTest, ALongPasteRunsAndShowsItsReport)
{
    // Chinese characters may break between any two; a long run of digits offers no break, and
    // only wrapping anywhere lays it out in time linear in its length.
    const std::pair<QString, QTextOption::WrapMode> fillers[] = {
        {QString(100'000, u'号'), QTextOption::WrapAtWordBoundaryOrAnywhere},
        {u'号' + QString(100'000, u'5'), QTextOption::WrapAnywhere},
    };
    for (const auto &[filler, wrap] : fillers) {
        const QString input = QStringLiteral("13812345678") + filler + QStringLiteral("12345678");
        type(input);
        EXPECT_FALSE(pressEnter());
        EXPECT_EQ(c.qqnum->text().size(), input.size());
        EXPECT_TRUE(result().contains(QStringLiteral("\n这个数字的数理是：78\n")));
        EXPECT_EQ(c.resulttxt->wordWrapMode(), wrap) << filler.size();
    }
    type(QStringLiteral("88888"));
    pressEnter();
    EXPECT_EQ(c.resulttxt->wordWrapMode(), QTextOption::WrapAtWordBoundaryOrAnywhere)
        << "the next report is typeset by the rules again";
    QGuiApplication::clipboard()->setText(QString(100'000, u'5'));
    c.resulttxt->setFocus();
    QTest::keyClick(c.resulttxt, Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(c.resulttxt->wordWrapMode(), QTextOption::WrapAnywhere) << "a paste into the report";
}

TEST_F(WindowTest, EveryFocusableControlHasAChineseAccessibleName)
{
    EXPECT_EQ(c.qqnum->accessibleName(), QStringLiteral("号码"));
    EXPECT_EQ(c.Command1->accessibleName(), QStringLiteral("测算"));
    EXPECT_EQ(c.resulttxt->accessibleName(), QStringLiteral("测算结果"));
    for (const char *image : {"Image1_0", "Image1_5", "Image1_6"})
        EXPECT_FALSE(
            form->findChild<QWidget *>(QString::fromLatin1(image))->accessibleName().isEmpty());
    QAccessibleInterface *input = QAccessible::queryAccessibleInterface(c.qqnum);
    ASSERT_NE(input, nullptr);
    EXPECT_EQ(input->text(QAccessible::Name), QStringLiteral("号码"));
}

TEST(Pictures, KeepTheirForms)
{
    // The icons' masks must be applied: a transparent corner, an opaque picture.
    const QImage digit = LoadIconPicture(QStringLiteral(":/pictures/digit.ico"));
    EXPECT_EQ(digit.size(), QSize(32, 32));
    EXPECT_EQ(qAlpha(digit.pixel(0, 0)), 0);
    EXPECT_EQ(qAlpha(digit.pixel(16, 16)), 255);
    const QImage arrowImage = LoadIconPicture(QStringLiteral(":/pictures/arrow.ico"));
    EXPECT_EQ(arrowImage.size(), QSize(32, 32));
    EXPECT_EQ(qAlpha(arrowImage.pixel(12, 8)), 255) << "the tip of the arrow";
    EXPECT_EQ(qAlpha(arrowImage.pixel(11, 8)), 0);
    EXPECT_EQ(qAlpha(arrowImage.pixel(12, 7)), 0);
    EXPECT_EQ(qAlpha(arrowImage.pixel(31, 0)), 0);

    QImageReader star(QStringLiteral(":/pictures/star.gif"));
    EXPECT_EQ(star.size(), QSize(24, 22));
    EXPECT_EQ(star.imageCount(), 4);
    EXPECT_EQ(star.nextImageDelay(), 100);
    EXPECT_EQ(star.loopCount(), -1); // loops without end
    EXPECT_TRUE(star.read().hasAlphaChannel());

    QFile background(QStringLiteral(":/pictures/background.gif"));
    ASSERT_TRUE(background.open(QIODevice::ReadOnly));
    EXPECT_EQ(background.read(6), QByteArray("GIF87a"));
    QImageReader ramp(QStringLiteral(":/pictures/background.gif"));
    const QImage rampImage = ramp.read();
    EXPECT_EQ(rampImage.size(), QSize(4, 109));
    EXPECT_EQ(QColor(rampImage.pixel(0, 0)), QColor(0xEB, 0xF7, 0xFF));
    EXPECT_EQ(QColor(rampImage.pixel(3, 9)), QColor(0xE8, 0xFB, 0xC9));
    EXPECT_EQ(QColor(rampImage.pixel(2, 85)), QColor(0xAF, 0xF4, 0x8F));
    EXPECT_EQ(QColor(rampImage.pixel(1, 108)), QColor(0xAF, 0xF4, 0x8F));
}

TEST(CenterForm, CentresAcrossAndLeavesAFifthOfTheFreeHeightAbove)
{
    struct Case {
        QSize screen, form;
        QPoint place;
    };
    const Case cases[] = {
        {{1024, 768}, {407, 349}, {308, 83}}, // 617 / 2 and 419 / 5
        {{1024, 300}, {407, 349}, {308, -9}}, // taller than the screen: -49 / 5
        {{407, 349}, {407, 349}, {0, 0}},
        {{406, 345}, {407, 349}, {0, 0}}, // -1 / 2 and -4 / 5 truncate toward zero
    };
    for (const Case &c : cases)
        EXPECT_EQ(PlaceForm(c.screen, c.form), c.place)
            << c.screen.width() << "x" << c.screen.height();
}

#include "window_test.moc"
