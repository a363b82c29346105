#pragma once

#include "analysis/run.h"

#include <QCursor>
#include <QWidget>

#include <array>
#include <optional>

class ClickLabel;
class InputBox;
class JudgementBar;
class QFrame;
class QLabel;
class QPushButton;
class ResultBox;

// The program's one window. It owns the controls and the program-wide data, and it is the view
// through which a run reads the typed number and shows its report.
class MainForm : public QWidget, private analysis::AnalysisView {
    Q_OBJECT
public:
    explicit MainForm(QWidget *parent = nullptr);

    // Start-up: places the window, fills the table, shows the window and readies the input box.
    void Form_Load();
    // Moves the form so that it is centred across the screen and sits at a fifth of its height.
    static void CenterForm(QWidget &form);

    const analysis::Module1 &module() const { return m_data; }
    // What became of the last run, and what it presented beside the report.
    analysis::Derivation lastRun() const { return m_lastRun; }
    const JudgementBar &judgement() const { return *m_judgement; }

protected:
    void moveEvent(QMoveEvent *event) override;

private:
    void buildBackground();
    void buildBand();
    void buildCredit();
    void buildResultBox();
    void buildInput();
    void connectHandlers();

    void Command1_Click();
    void qqnum_KeyPress(int keyAscii);
    void qqnum_MouseDown(Qt::MouseButton button, Qt::KeyboardModifiers shift, QPointF position);
    void Label2_Click();
    void runAnalysis();
    void showPendingResult();

    std::u16string InputText() const override;
    void SetInputText(std::u16string_view text) override;
    void SetResultText(std::u16string_view text) override;
    void ShowMessage(std::u16string_view text) override;
    void PresentJudgement(std::u16string_view verdict, std::u16string_view appraisal) override;

    analysis::Module1 m_data;
    analysis::Derivation m_lastRun;
    // A run may set the result text twice (the introduction, then the report): only the last
    // is laid out, when the run ends or a message is about to show.
    std::optional<QString> m_pendingResult;
    // The outer size the window was placed with; placed again once, when the frame is known.
    std::optional<QSize> m_placedOuter;
    QCursor m_arrow; // the green arrow, everywhere but over the input box

    // Image1 is a control array with the members 0, 5 and 6, kept in that order.
    std::array<QLabel *, 3> Image1{};
    QLabel *Label1 = nullptr;
    ClickLabel *Label2 = nullptr;
    QFrame *Line1 = nullptr;
    ResultBox *resulttxt = nullptr;
    InputBox *qqnum = nullptr;
    QPushButton *Command1 = nullptr;
    JudgementBar *m_judgement = nullptr;
};
