#include "app/icon_picture.h"
#include "app/judgement_balloon.h"
#include "app/mainform.h"
#include "app/placement.h"
#include "tests/window_driver.h"

#include <QAccessible>
#include <QApplication>
#include <QDesktopServices>
#include <QFile>
#include <QImageReader>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QTest>
#include <QTimer>
#include <QUrl>

#include <gtest/gtest.h>

#include <memory>

inline void PrintTo(const QString &text, std::ostream *os) { *os << '"' << text.toStdString() << '"'; }

namespace {

const QString Prompt = QStringLiteral("在此输要测的数字");
const QString RejectionPrompt = QStringLiteral("在此输入QQ号码");

class WindowTest : public ::testing::Test {
protected:
    WindowTest() : form(std::make_unique<MainForm>()), c(*form) { form->Form_Load(); }

    void type(const QString &text)
    {
        c.qqnum->setText(text);
    }
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
    const JudgementBalloon &balloon() const { return form->judgement(); }

    std::unique_ptr<MainForm> form;
    Controls c;
};

} // namespace

TEST_F(WindowTest, StartsWithThePromptSelectedAndTheIntroductionShown)
{
    EXPECT_EQ(form->windowTitle(), QStringLiteral("澄谷数鉴 v1.1"));
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
    EXPECT_TRUE(result().startsWith(QStringLiteral("    本软件根据在玄学中地位重要的八十一数理制作！\n")));
    EXPECT_EQ(c.resulttxt->verticalScrollBar()->value(), 0);
    EXPECT_EQ(c.resulttxt->verticalScrollBarPolicy(), Qt::ScrollBarAlwaysOn);
    EXPECT_EQ(c.resulttxt->horizontalScrollBarPolicy(), Qt::ScrollBarAlwaysOff);
    EXPECT_TRUE(c.Label2->isVisible());
    EXPECT_FALSE(balloon().isVisible());
}

TEST_F(WindowTest, PlacesEveryControlWhereTheLayoutSays)
{
    const std::pair<const char *, QRect> expected[] = {
        {"Command1", {312, 8, 73, 25}},  {"qqnum", {16, 8, 281, 25}},
        {"Label2", {48, 304, 297, 25}},  {"Label1", {0, 0, 401, 41}},
        {"resulttxt", {8, 48, 385, 249}}, {"Image1_5", {0, 296, 24, 22}},
        {"Image1_6", {368, 296, 24, 22}}, {"Image1_0", {0, 16, 401, 309}},
    };
    for (const auto &[name, rect] : expected) {
        const QWidget *control = form->findChild<QWidget *>(QString::fromLatin1(name));
        ASSERT_NE(control, nullptr) << name;
        EXPECT_EQ(control->geometry(), rect) << name;
    }
}

TEST_F(WindowTest, EnterAndTheButtonGiveTheSameResult)
{
    for (const QString &input : {QStringLiteral("13812345678"), QStringLiteral("88888"),
                                 QStringLiteral("81"), QStringLiteral("12abc")}) {
        type(input);
        EXPECT_FALSE(pressEnter());
        const QString byEnter = result();
        const QString verdictByEnter = balloon().verdict();
        const QString appraisalByEnter = balloon().appraisal();
        type(input);
        EXPECT_FALSE(clickButton());
        EXPECT_EQ(result(), byEnter);
        EXPECT_EQ(balloon().verdict(), verdictByEnter);
        EXPECT_EQ(balloon().appraisal(), appraisalByEnter);
        EXPECT_EQ(c.qqnum->text(), input);
    }
    // Keypad Enter is Enter too.
    type(QStringLiteral("161"));
    AnsweringMessageBox([this] { QTest::keyClick(c.qqnum, Qt::Key_Enter, Qt::KeypadModifier); });
    EXPECT_TRUE(result().contains(QStringLiteral("\n这个数字的数理是：1\n")));
}

TEST_F(WindowTest, ShowsTheReportWithAClosingFullStop)
{
    type(QStringLiteral("13812345678"));
    pressEnter();
    const QStringList lines = result().split(u'\n');
    ASSERT_EQ(lines.size(), 31);
    EXPECT_EQ(lines[0], QStringLiteral("你所测的数字是：13812345678"));
    EXPECT_EQ(lines[2], QStringLiteral("这个数字的数理是：78"));
    EXPECT_EQ(lines[30], QStringLiteral("本软件由 澄谷 开发，娱乐之用，切勿迷信。"));
    EXPECT_EQ(form->lastRun().FortuneNumber, 78);
}

TEST_F(WindowTest, RejectsAnInputWithoutANumberAndOffersThePrompt)
{
    // Running on the untouched prompt is the first thing many users do.
    const auto message = pressEnter();
    ASSERT_TRUE(message);
    EXPECT_EQ(message->text, QStringLiteral("抱歉，本软件无该数字（不是数字吧）的信息！"));
    EXPECT_EQ(message->caption, QStringLiteral("澄谷数鉴"));
    EXPECT_EQ(c.qqnum->text(), RejectionPrompt);
    EXPECT_EQ(result(), intro());
    EXPECT_FALSE(balloon().isVisible());
    // The rejection prompt is rejected in turn.
    EXPECT_TRUE(clickButton());
    EXPECT_EQ(c.qqnum->text(), RejectionPrompt);
}

TEST_F(WindowTest, RefusesANumberBeyondReachAndKeepsItForCorrection)
{
    type(QStringLiteral("12345678"));
    pressEnter();
    type(QStringLiteral("-5"));
    const auto message = pressEnter();
    ASSERT_TRUE(message);
    EXPECT_EQ(message->text, QStringLiteral("抱歉，这个数字超出了本软件的测算范围！"));
    EXPECT_EQ(message->caption, QStringLiteral("澄谷数鉴"));
    EXPECT_EQ(c.qqnum->text(), QStringLiteral("-5"));
    EXPECT_EQ(result(), intro());
    EXPECT_FALSE(balloon().isVisible());
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
    const auto message = AnsweringMessageBox([this] {
        QTest::mouseClick(c.Label2, Qt::LeftButton, {}, QPoint(10, 5));
    });
    QDesktopServices::unsetUrlHandler(QStringLiteral("https"));
    ASSERT_EQ(catcher.opened.size(), 1);
    EXPECT_EQ(catcher.opened.front().scheme(), QStringLiteral("https"));
    EXPECT_TRUE(catcher.opened.front().host().endsWith(QStringLiteral(".example")));
    EXPECT_FALSE(message);
    EXPECT_EQ(result(), intro());
}

TEST_F(WindowTest, TheJudgementAppearsAfterAReportAndGoesAwayWhenTheUserMovesOn)
{
    type(QStringLiteral("88888"));
    pressEnter();
    ASSERT_TRUE(balloon().isVisible());
    EXPECT_EQ(balloon().verdict(), QStringLiteral("恭喜你！这个QQ号码不错，好好珍惜啊！"));
    EXPECT_EQ(balloon().appraisal(),
              QStringLiteral("恭喜你，这个5位数的QQ至少值400元！\r\n"
                             "这个QQ有5位数相同，绝对精品，值10000元！！！（可不可以给我啊）"));
    EXPECT_TRUE(balloon().accessibleDescription().startsWith(balloon().verdict()));
    EXPECT_EQ(balloon().focusPolicy(), Qt::NoFocus);

    QTest::keyClick(c.qqnum, Qt::Key_End);
    EXPECT_FALSE(balloon().isVisible());

    pressEnter();
    ASSERT_TRUE(balloon().isVisible());
    QTest::mouseClick(c.resulttxt->viewport(), Qt::LeftButton);
    EXPECT_FALSE(balloon().isVisible());

    // Eleven characters are not priced, but the verdict still shows.
    type(QStringLiteral("13812345678"));
    clickButton();
    ASSERT_TRUE(balloon().isVisible());
    EXPECT_EQ(balloon().appraisal(), QString());
    EXPECT_EQ(balloon().verdict(), QStringLiteral("这个QQ号不太好拉，建议换一个！"));

    type(QStringLiteral("abc"));
    pressEnter();
    EXPECT_FALSE(balloon().isVisible());
}

TEST_F(WindowTest, ThePointerIsTheGreenArrowEverywhereButTheInput)
{
    EXPECT_EQ(c.qqnum->cursor().shape(), Qt::IBeamCursor);
    for (const QWidget *widget : {static_cast<const QWidget *>(form.get()),
                                  static_cast<const QWidget *>(c.Command1),
                                  static_cast<const QWidget *>(c.Label2),
                                  static_cast<const QWidget *>(c.resulttxt->viewport())}) {
        EXPECT_EQ(widget->cursor().shape(), Qt::BitmapCursor) << widget->objectName().toStdString();
        EXPECT_EQ(widget->cursor().hotSpot(), QPoint(12, 8));
    }
}

TEST_F(WindowTest, ALongPasteRunsAndShowsItsReport)
{
    QString input = QStringLiteral("13812345678");
    input += QString(100'000, u'号');
    input += QStringLiteral("12345678");
    type(input);
    EXPECT_FALSE(pressEnter());
    EXPECT_EQ(c.qqnum->text().size(), input.size());
    EXPECT_TRUE(result().contains(QStringLiteral("\n这个数字的数理是：78\n")));
}

TEST_F(WindowTest, EveryFocusableControlHasAChineseAccessibleName)
{
    EXPECT_EQ(c.qqnum->accessibleName(), QStringLiteral("号码"));
    EXPECT_EQ(c.Command1->accessibleName(), QStringLiteral("测算"));
    EXPECT_EQ(c.resulttxt->accessibleName(), QStringLiteral("测算结果"));
    for (const char *image : {"Image1_0", "Image1_5", "Image1_6"})
        EXPECT_FALSE(form->findChild<QWidget *>(QString::fromLatin1(image))->accessibleName().isEmpty());
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
        float screenWidth, formWidth, screenHeight, formHeight;
        int left, top;
    };
    const Case cases[] = {
        {15360, 6105, 11520, 5235, 4627, 1257},  // 9255 \ 2 and 6285 \ 5
        {15360, 6105, 4500, 5235, 4627, -147},   // taller than the screen: -735 \ 5
        {6105, 6105, 5235, 5235, 0, 0},
        {6108.5f, 6105, 5239.5f, 5235, 2, 0},    // 3.5 rounds to 4, 4.5 to 4
        {6107.5f, 6105, 5242.5f, 5235, 1, 1},    // 2.5 rounds to 2, 7.5 to 8
        {6104, 6105, 5234, 5235, 0, 0},          // -1 \ 2 truncates toward zero
    };
    for (const Case &c : cases) {
        const Placement p = PlaceForm(c.screenWidth, c.formWidth, c.screenHeight, c.formHeight);
        EXPECT_EQ(p.left, c.left) << c.screenWidth;
        EXPECT_EQ(p.top, c.top) << c.screenHeight;
    }
}

#include "window_test.moc"
