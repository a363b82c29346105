#include "app/mainform.h"

#include "app/icon_picture.h"
#include "app/judgement_balloon.h"
#include "app/maker.h"
#include "app/placement.h"
#include "app/widgets.h"

#include <QDesktopServices>
#include <QFrame>
#include <QLabel>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScreen>
#include <QUrl>

#include <limits>

namespace {

// The layout is drawn in twips; 15 twips make one device-independent pixel.
constexpr int TwipsPerPixel = 15;
constexpr QRect twips(int left, int top, int width, int height)
{
    return {left / TwipsPerPixel, top / TwipsPerPixel, width / TwipsPerPixel, height / TwipsPerPixel};
}

constexpr QSize ClientSize{6015 / TwipsPerPixel, 4785 / TwipsPerPixel};
constexpr QRect Command1Rect = twips(4680, 120, 1095, 375);
constexpr QRect QqnumRect = twips(240, 120, 4215, 375);
constexpr QRect Label2Rect = twips(720, 4560, 4455, 375);
constexpr QRect Label1Rect = twips(0, 0, 6015, 615);
constexpr QRect ResulttxtRect = twips(120, 720, 5775, 3735);
// Line1 runs from (0, 600) to (6000, 600) twips, two pixels thick, over the band's bottom edge.
constexpr QRect Line1Rect{0, 600 / TwipsPerPixel - 1, 6000 / TwipsPerPixel, 2};
constexpr QRect BackgroundRect = twips(0, 240, 6015, 4635);
constexpr QRect LeftStarRect = twips(0, 4440, 360, 330);
constexpr QRect RightStarRect = twips(5520, 4440, 360, 330);
constexpr QPoint BalloonPosition{QqnumRect.left(), QqnumRect.bottom() + 2};
constexpr QPoint ArrowHotSpot{12, 8};

const QString ToolTip = QStringLiteral(
    "本软件除了可以查QQ号码的吉凶外，还能查其他一切数字的吉凶！！（如手机号、车牌号）");

QString introduction()
{
    const QString crlf = QStringLiteral("\r\n");
    auto pad = [](int blanks) { return QString(blanks, u' '); };
    const QStringList lines{
        QStringLiteral("    本软件根据在玄学中地位重要的八十一数理制作！"),
        {},
        QStringLiteral("    适用于手机号、QQ号、车牌号等一切正整数凶吉测试，也是易学研究的好工具。"),
        {},
        QStringLiteral("    权当娱乐，切勿迷信！"),
        {}, {}, {}, {}, {},
        pad(15) + maker::CreditLine.toString(),
        pad(1),
        pad(16) + QStringLiteral("网址：") + maker::WebAddress.toString(),
        pad(2),
        pad(20) + QStringLiteral("QQ:") + maker::ContactNumber.toString(),
        {}, {},
        pad(24) + maker::ReleaseDate.toString(),
    };
    return lines.join(crlf) + crlf;
}

QString toQString(std::u16string_view text)
{
    // Copied unit for unit, so that even a lone surrogate survives the round trip.
    return QString(reinterpret_cast<const QChar *>(text.data()), qsizetype(text.size()));
}

} // namespace

MainForm::MainForm(QWidget *parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("mainform"));
    setWindowTitle(QStringLiteral("澄谷数鉴 v1.1"));
    setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint
                   | Qt::WindowCloseButtonHint | Qt::MSWindowsFixedSizeDialogHint);
    setFixedSize(ClientSize);
    setWindowIcon(QIcon(QPixmap::fromImage(LoadIconPicture(QStringLiteral(":/pictures/digit.ico")))));
    const QCursor arrow(QPixmap::fromImage(LoadIconPicture(QStringLiteral(":/pictures/arrow.ico"))),
                        ArrowHotSpot.x(), ArrowHotSpot.y());
    setCursor(arrow);

    // Created bottom to top: later siblings are drawn over earlier ones.
    Image1[0] = new QLabel(this);
    Image1[0]->setObjectName(QStringLiteral("Image1_0"));
    Image1[0]->setGeometry(BackgroundRect);
    Image1[0]->setScaledContents(true);
    Image1[0]->setPixmap(QPixmap(QStringLiteral(":/pictures/background.gif")));
    Image1[0]->setAccessibleName(QStringLiteral("背景：由浅黄绿渐变到浅绿"));

    Label1 = new QLabel(this);
    Label1->setObjectName(QStringLiteral("Label1"));
    Label1->setGeometry(Label1Rect);
    Label1->setAutoFillBackground(true);
    QPalette band = Label1->palette();
    band.setColor(QPalette::Window, QColor(0xFF, 0xFF, 0xC0));
    Label1->setPalette(band);

    Label2 = new ClickLabel(this);
    Label2->setObjectName(QStringLiteral("Label2"));
    Label2->setGeometry(Label2Rect);
    Label2->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    Label2->setText(QStringLiteral("澄谷软件   网址：") + maker::WebAddress.toString()
                    + QStringLiteral("   QQ:") + maker::ContactNumber.toString());
    QPalette credit = Label2->palette();
    credit.setColor(QPalette::WindowText, Qt::black);
    Label2->setPalette(credit);
    Label2->setCursor(arrow);
    Label2->setToolTip(ToolTip);
    Label2->setAccessibleDescription(QStringLiteral("点击打开澄谷软件的网页"));

    const QPixmap star(QStringLiteral(":/pictures/star.gif")); // the first frame only
    Image1[1] = new QLabel(this);
    Image1[1]->setObjectName(QStringLiteral("Image1_5"));
    Image1[1]->setGeometry(LeftStarRect);
    Image1[2] = new QLabel(this);
    Image1[2]->setObjectName(QStringLiteral("Image1_6"));
    Image1[2]->setGeometry(RightStarRect);
    for (QLabel *image : {Image1[1], Image1[2]}) {
        image->setPixmap(star);
        image->setAlignment(Qt::AlignLeft | Qt::AlignTop);
        image->setAccessibleName(QStringLiteral("橙色星星"));
    }

    Line1 = new QFrame(this);
    Line1->setObjectName(QStringLiteral("Line1"));
    Line1->setGeometry(Line1Rect);
    Line1->setAutoFillBackground(true);
    QPalette green = Line1->palette();
    green.setColor(QPalette::Window, QColor(0x00, 0xC0, 0x00));
    Line1->setPalette(green);

    resulttxt = new QPlainTextEdit(this);
    resulttxt->setObjectName(QStringLiteral("resulttxt"));
    resulttxt->setGeometry(ResulttxtRect);
    resulttxt->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    resulttxt->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    resulttxt->setLineWrapMode(QPlainTextEdit::WidgetWidth);
    // Breaking anywhere keeps the layout of one very long pasted line linear in its length.
    resulttxt->setWordWrapMode(QTextOption::WrapAnywhere);
    resulttxt->setTabChangesFocus(true);
    resulttxt->setCursor(arrow);
    resulttxt->viewport()->setCursor(arrow);
    resulttxt->setAccessibleName(QStringLiteral("测算结果"));
    resulttxt->setPlainText(introduction());

    qqnum = new InputBox(this);
    qqnum->setObjectName(QStringLiteral("qqnum"));
    qqnum->setGeometry(QqnumRect);
    qqnum->setMaxLength(std::numeric_limits<int>::max());
    qqnum->setText(QStringLiteral("在此输要测的数字"));
    QPalette red = qqnum->palette();
    red.setColor(QPalette::Text, QColor(0xFF, 0x00, 0x00));
    qqnum->setPalette(red);
    qqnum->setCursor(Qt::IBeamCursor);
    qqnum->setToolTip(ToolTip);
    qqnum->setAccessibleName(QStringLiteral("号码"));
    qqnum->setAccessibleDescription(QStringLiteral("输入要测的数字，按回车键测算"));

    Command1 = new QPushButton(QStringLiteral("好 了"), this);
    Command1->setObjectName(QStringLiteral("Command1"));
    Command1->setGeometry(Command1Rect);
    // Enter or Space on the focused button presses it, as on any platform's button.
    Command1->setAutoDefault(true);
    Command1->setCursor(arrow);
    Command1->setToolTip(ToolTip);
    Command1->setAccessibleName(QStringLiteral("测算"));

    setTabOrder(Command1, qqnum);
    setTabOrder(qqnum, resulttxt);
    setTabOrder(resulttxt, Command1);

    m_balloon = new JudgementBalloon(this);
    m_balloon->move(BalloonPosition);

    connect(Command1, &QPushButton::clicked, this, &MainForm::Command1_Click);
    connect(qqnum, &InputBox::keyPress, this, &MainForm::qqnum_KeyPress);
    connect(qqnum, &InputBox::mouseDown, this, &MainForm::qqnum_MouseDown);
    connect(Label2, &ClickLabel::clicked, this, &MainForm::Label2_Click);
}

void MainForm::Form_Load()
{
    CenterForm(*this);
    knowledge::FillNumerologyTable(m_data.NumerologyTable, m_data.SayingThreeList);
    show();
    qqnum->setFocus();
    qqnum->setSelection(0, int(qqnum->text().size()));
    m_data.IntroText = resulttxt->toPlainText().toStdU16String();
}

void MainForm::CenterForm(QWidget &form)
{
    const QScreen *screen = form.screen();
    const QRect screenArea = screen->geometry();
    const QRect outer = form.frameGeometry();
    auto inTwips = [](int pixels) { return float(pixels) * TwipsPerPixel; };
    const Placement place = PlaceForm(inTwips(screenArea.width()), inTwips(outer.width()),
                                      inTwips(screenArea.height()), inTwips(outer.height()));
    form.move(screenArea.topLeft()
              + QPoint(place.left / TwipsPerPixel, place.top / TwipsPerPixel));
}

void MainForm::Command1_Click() { runAnalysis(); }

void MainForm::qqnum_KeyPress(int keyAscii)
{
    if (keyAscii == 13)
        runAnalysis();
}

void MainForm::qqnum_MouseDown(Qt::MouseButton, Qt::KeyboardModifiers, QPointF)
{
    qqnum->setSelection(0, int(qqnum->text().size()));
}

void MainForm::Label2_Click()
{
    // Without a browser nothing happens, and that is all right.
    QDesktopServices::openUrl(QUrl(QString(maker::PageUrl)));
}

void MainForm::runAnalysis()
{
    m_balloon->dismiss();
    m_lastRun = analysis::RunAnalysis(m_data, *this);
}

std::u16string MainForm::InputText() const { return qqnum->text().toStdU16String(); }

void MainForm::SetInputText(std::u16string_view text) { qqnum->setText(toQString(text)); }

void MainForm::SetResultText(std::u16string_view text) { resulttxt->setPlainText(toQString(text)); }

void MainForm::ShowMessage(std::u16string_view text, std::u16string_view caption)
{
    QMessageBox box(QMessageBox::NoIcon, toQString(caption), toQString(text), QMessageBox::Ok, this);
    box.exec();
}

void MainForm::PresentJudgement(std::u16string_view verdict, std::u16string_view appraisal)
{
    m_balloon->present(toQString(verdict), toQString(appraisal));
}
