#ifndef QANSWERLINE_H
#define QANSWERLINE_H

#include <QLineEdit>

// The display's answer line. It holds the whole answer as its text, and
// draws it on one line, ending in "…" when it is wider than the line; the
// tool tip holds it whole. A status, such as a calculation that is still
// running, is drawn in the muted colour, so that it is never taken for an
// answer.
class QAnswerLine : public QLineEdit
{
    Q_OBJECT

public:
    explicit QAnswerLine(QWidget *parent);

    void showAnswer(const QString &text);
    void showStatus(const QString &text);
    // Draws the text held in the muted colour until the next answer or
    // status: the calculation it answered is over.
    void markStale();
    // Tells screen readers the text once, as the line's new description.
    void announce(const QString &text);

signals:
    void announced(const QString &text);

public:
    bool isMuted() const { return muted; }
    // The text as drawn, on one line and elided to the room there is.
    QString drawnText() const;

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    QRect textRect() const;
    void present(const QString &text, bool asStatus);

    bool muted = false;
};

#endif
