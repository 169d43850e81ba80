#ifndef QANSWERLINE_H
#define QANSWERLINE_H

#include <QLineEdit>

// The display's answer line. It holds the whole answer as its text, and
// draws it on one line, ending in "…" when it is wider than the line; the
// tool tip holds it whole, broken into lines that fit the screen. A status,
// such as a calculation that is still running, and an answer that belongs
// to an earlier formula are drawn in the muted colour, so that neither is
// taken for the answer of the formula shown.
class QAnswerLine : public QLineEdit
{
    Q_OBJECT

public:
    explicit QAnswerLine(QWidget *parent);

    void showAnswer(const QString &text);
    void showStatus(const QString &text);
    // Draws the answer held in the muted colour, or in the answer's colour
    // again: the formula it answered has changed, or changed back.
    void setStale(bool stale);
    void markStale() { setStale(true); }
    bool isMuted() const { return status || stale; }
    // The text broken into lines no wider than width in the tool tip's font,
    // as many as fit into height; a text cut short ends in "…".
    static QString wrappedText(const QString &text, int width, int height);
    // Tells screen readers the text once, as the line's new description.
    void announce(const QString &text);

signals:
    void announced(const QString &text);

public:
    // The text as drawn, on one line and elided to the room there is.
    QString drawnText() const;

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    QRect textRect() const;
    void present(const QString &text, bool asStatus);

    bool status = false;
    bool stale = false;
};

#endif
