#pragma once

#include <QFrame>

class QLabel;
class ResultBox;

// The verdict and the appraisal of the last report, in a pale bar across the top of the report
// box that pushes the report down instead of covering it. It closes with its close button, with
// Esc, or before the message of a refused run; the next report's judgement replaces it.
class JudgementBar : public QFrame {
    Q_OBJECT
public:
    explicit JudgementBar(ResultBox *box);

    // Shows the two texts, verdict first; closes instead when both are empty.
    void present(const QString &verdict, const QString &appraisal);
    void dismiss();

    QString verdict() const { return m_verdict; }
    QString appraisal() const { return m_appraisal; }

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    ResultBox *m_box;
    QLabel *m_text = nullptr;
    QString m_verdict;
    QString m_appraisal;
};
