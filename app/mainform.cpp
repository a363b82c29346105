#include "app/mainform.h"

#include "app/application.h"
#include "app/click_label.h"
#include "app/icon_picture.h"
#include "app/input_box.h"
#include "app/introduction.h"
#include "app/judgement_bar.h"
#include "app/layout.h"
#include "app/maker.h"
#include "app/placement.h"
#include "app/result_box.h"

#include <QDesktopServices>
#include <QGuiApplication>
#include <QLabel>
#include <QMessageBox>
#include <QMoveEvent>
#include <QPushButton>
#include <QScreen>
#include <QUrl>

#include <limits>

using namespace layout;

namespace {

const QString ToolTip = QStringLiteral(
    "本软件除了可以查QQ号码的吉凶外，还能查其他一切数字的吉凶！！（如手机号、车牌号）");

QString toQString(std::u16string_view text) { return QStringView(text).toString(); }

// A control of `form`, named for the tests and the accessibility tools, where the layout puts it.
template <typename Control> Control *createControl(QWidget *form, const char *name, QRect geometry)
{
    auto *control = new Control(form);
    control->setObjectName(QString::fromLatin1(name));
    control->setGeometry(geometry);
    return control;
}

// Where the compositor places windows itself and a client cannot move its own.
bool platformPlacesWindows()
{
    return QGuiApplication::platformName().startsWith(QLatin1String("wayland"));
}

} // namespace

MainForm::MainForm(QWidget *parent)
    : QWidget(parent),
      m_arrow(QPixmap::fromImage(LoadIconPicture(QStringLiteral(":/pictures/arrow.ico"))),
              ArrowHotSpot.x(), ArrowHotSpot.y())
{
    setObjectName(QStringLiteral("mainform"));
    setWindowTitle(ProgramName.toString() + QStringLiteral(" v" SHUJIAN_VERSION));
    setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint
                   | Qt::WindowCloseButtonHint | Qt::MSWindowsFixedSizeDialogHint);
    setFixedSize(ClientSize);
    setWindowIcon(
        QIcon(QPixmap::fromImage(LoadIconPicture(QStringLiteral(":/pictures/digit.ico")))));
    setCursor(m_arrow);

    // Built bottom to top: later siblings are drawn over earlier ones.
    buildBackground();
    buildBand();
    buildCredit();
    buildResultBox();
    buildInput();
    connectHandlers();
}

void MainForm::buildBackground()
{
    Image1[0] = createControl<QLabel>(this, "Image1_0", BackgroundRect);
    Image1[0]->setScaledContents(true);
    Image1[0]->setPixmap(QPixmap(QStringLiteral(":/pictures/background.gif")));
    Image1[0]->setAccessibleName(QStringLiteral("背景：由浅黄绿渐变到浅绿"));
}

void MainForm::buildBand()
{
    Label1 = createControl<QLabel>(this, "Label1", Label1Rect);
    Label1->setAutoFillBackground(true);
    setColour(Label1, QPalette::Window, PaleYellow);

    Line1 = createControl<QFrame>(this, "Line1", Line1Rect);
    Line1->setAutoFillBackground(true);
    setColour(Line1, QPalette::Window, Green);
}

void MainForm::buildCredit()
{
    Label2 = createControl<ClickLabel>(this, "Label2", Label2Rect);
    // The box runs past the window's bottom edge: the caption sits on the part that shows.
    Label2->setContentsMargins(0, 0, 0, Label2Overhang);
    Label2->setAlignment(Qt::AlignLeft | Qt::AlignBottom);
    Label2->setText(maker::Name.toString() + QStringLiteral("   网址：")
                    + maker::WebAddress.toString() + QStringLiteral("   QQ:")
                    + maker::ContactNumber.toString());
    setColour(Label2, QPalette::WindowText, CreditBlack);
    Label2->setCursor(m_arrow);
    Label2->setToolTip(ToolTip);
    Label2->setAccessibleDescription(QStringLiteral("点击打开") + maker::Name.toString()
                                     + QStringLiteral("的网页"));

    const QPixmap star(QStringLiteral(":/pictures/star.gif")); // the first frame only
    Image1[1] = createControl<QLabel>(this, "Image1_5", LeftStarRect);
    Image1[2] = createControl<QLabel>(this, "Image1_6", RightStarRect);
    for (QLabel *image : {Image1[1], Image1[2]}) {
        image->setPixmap(star);
        image->setAlignment(Qt::AlignLeft | Qt::AlignTop);
        image->setAccessibleName(QStringLiteral("橙色星星"));
    }
}

void MainForm::buildResultBox()
{
    resulttxt = createControl<ResultBox>(this, "resulttxt", ResulttxtRect);
    resulttxt->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    resulttxt->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    resulttxt->setLineWrapMode(QPlainTextEdit::WidgetWidth);
    resulttxt->setTabChangesFocus(true);
    resulttxt->setCursor(m_arrow);
    resulttxt->viewport()->setCursor(m_arrow);
    resulttxt->setAccessibleName(QStringLiteral("测算结果"));
    resulttxt->setText(Introduction());
    m_judgement = new JudgementBar(resulttxt);
}

void MainForm::buildInput()
{
    qqnum = createControl<InputBox>(this, "qqnum", QqnumRect);
    qqnum->setMaxLength(std::numeric_limits<int>::max());
    qqnum->setText(QStringLiteral("在此输要测的数字"));
    setColour(qqnum, QPalette::Text, PromptRed);
    qqnum->setCursor(Qt::IBeamCursor);
    qqnum->setToolTip(ToolTip);
    qqnum->setAccessibleName(QStringLiteral("号码"));
    qqnum->setAccessibleDescription(QStringLiteral("输入要测的数字，按回车键测算"));

    Command1 = createControl<QPushButton>(this, "Command1", Command1Rect);
    Command1->setText(QStringLiteral("好 了"));
    // Enter or Space on the focused button presses it, as on any platform's button.
    Command1->setAutoDefault(true);
    Command1->setCursor(m_arrow);
    Command1->setToolTip(ToolTip);
    Command1->setAccessibleName(QStringLiteral("测算"));

    setTabOrder(Command1, qqnum);
    setTabOrder(qqnum, resulttxt);
    setTabOrder(resulttxt, Command1);
}

void MainForm::connectHandlers()
{
    connect(Command1, &QPushButton::clicked, this, &MainForm::Command1_Click);
    connect(qqnum, &InputBox::keyPress, this, &MainForm::qqnum_KeyPress);
    connect(qqnum, &InputBox::mouseDown, this, &MainForm::qqnum_MouseDown);
    connect(Label2, &ClickLabel::clicked, this, &MainForm::Label2_Click);
}

void MainForm::Form_Load()
{
    if (!platformPlacesWindows()) {
        CenterForm(*this);
        m_placedOuter = frameGeometry().size();
    }
    knowledge::FillNumerologyTable(m_data.NumerologyTable, m_data.SayingThreeList);
    show();
    qqnum->setFocus();
    qqnum->selectAll();
    m_data.IntroText = resulttxt->toPlainText().toStdU16String();
}

void MainForm::CenterForm(QWidget &form)
{
    const QRect screenArea = form.screen()->geometry();
    form.move(screenArea.topLeft() + PlaceForm(screenArea.size(), form.frameGeometry().size()));
}

void MainForm::moveEvent(QMoveEvent *event)
{
    QWidget::moveEvent(event);
    // Where the window manager adds the frame only once the window shows (X11), the first
    // placement went by the bare window; place it again, once, by its real outer size.
    if (m_placedOuter && isVisible() && frameGeometry().size() != *m_placedOuter) {
        m_placedOuter.reset();
        CenterForm(*this);
    }
}

void MainForm::Command1_Click() { runAnalysis(); }

void MainForm::qqnum_KeyPress(int keyAscii)
{
    if (keyAscii == InputBox::CarriageReturn)
        runAnalysis();
}

void MainForm::qqnum_MouseDown(Qt::MouseButton, Qt::KeyboardModifiers, QPointF)
{
    qqnum->selectAll();
}

void MainForm::Label2_Click()
{
    // Without a browser nothing happens, and that is all right.
    QDesktopServices::openUrl(QUrl(QString(maker::PageUrl)));
}

void MainForm::runAnalysis()
{
    // The judgement bar needs no closing here: a refused run closes it before its message
    // shows, and a report presents a new one.
    m_lastRun = analysis::RunAnalysis(m_data, *this);
    showPendingResult();
}

void MainForm::showPendingResult()
{
    if (m_pendingResult) {
        resulttxt->setText(*m_pendingResult);
        m_pendingResult.reset();
    }
}

std::u16string MainForm::InputText() const { return qqnum->text().toStdU16String(); }

void MainForm::SetInputText(std::u16string_view text)
{
    // As an edit, so that Ctrl+Z brings back what the user typed; then selected, as at start-up,
    // so that the next keystroke replaces the prompt rather than running into it.
    qqnum->selectAll();
    qqnum->insert(toQString(text));
    qqnum->selectAll();
}

void MainForm::SetResultText(std::u16string_view text) { m_pendingResult = toQString(text); }

void MainForm::ShowMessage(std::u16string_view text)
{
    m_judgement->dismiss();
    showPendingResult();
    QMessageBox box(QMessageBox::NoIcon, ProgramName.toString(), toQString(text), QMessageBox::Ok,
                    this);
    box.exec();
}

void MainForm::PresentJudgement(std::u16string_view verdict, std::u16string_view appraisal)
{
    m_judgement->present(toQString(verdict), toQString(appraisal));
}
