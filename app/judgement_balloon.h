#pragma once

#include <QFrame>

class QLabel;

// The verdict and the appraisal of the last run, in a small balloon that hangs under the input
// box. It never takes the focus and never blocks: the next key, click or run closes it.
class JudgementBalloon : public QFrame {
    Q_OBJECT
public:
    explicit JudgementBalloon(QWidget *window);

    // Shows the two texts, verdict first; stays hidden when both are empty.
    void present(const QString &verdict, const QString &appraisal);
    void dismiss();

    QString verdict() const { return m_verdict; }
    QString appraisal() const { return m_appraisal; }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
    void paintEvent(QPaintEvent *event) override;

private:
    QString m_verdict;
    QString m_appraisal;
    QLabel *m_text = nullptr;
};
