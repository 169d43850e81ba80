#ifndef DISPLAYDRIVER_H
#define DISPLAYDRIVER_H

#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QProcess>
#include <QPushButton>
#include <QSignalSpy>
#include <QSpinBox>
#include <QtTest>

// Drives a calculator display, or the display inside a panel, as a user
// does, finding its parts the way a user sees them: by their text and place.
// It needs only the toolkit, so it works on a panel of the loaded plug-in.
class DisplayDriver
{
public:
    explicit DisplayDriver(QWidget *displayOrPanel)
        : display(displayOrPanel->objectName() == QLatin1String("display")
                      ? displayOrPanel
                      : displayOrPanel->findChild<QWidget *>(QStringLiteral("display")))
    {
    }

    QLineEdit *answerLine() const
    {
        return display->findChild<QWidget *>(QStringLiteral("inputPlace"))
            ->findChild<QLineEdit *>(QString(), Qt::FindDirectChildrenOnly);
    }
    QString answer() const { return answerLine()->text(); }
    QPushButton *button(const QString &text) const { return child<QPushButton>(text); }
    QLabel *label(const QString &text) const { return child<QLabel>(text); }
    QList<QSpinBox *> spinBoxes() const
    {
        return display->findChildren<QSpinBox *>(QString(), Qt::FindDirectChildrenOnly);
    }
    QComboBox *angleBox() const
    {
        return display->findChild<QComboBox *>(QString(), Qt::FindDirectChildrenOnly);
    }
    QProcess *engine() const { return display->findChild<QProcess *>(); }

    // Each character goes to the widget that has the focus when it is typed,
    // as a keyboard's would: typing "/" moves the focus into a fraction.
    static void type(const QString &text)
    {
        for (const QChar ch : text) {
            const Qt::Key key =
                ch.unicode() < 0x80 ? Qt::Key(QTest::asciiToKey(ch.toLatin1())) : Qt::Key_unknown;
            QTest::sendKeyEvent(QTest::Click, QApplication::focusWidget(), key, QString(ch),
                                Qt::NoModifier);
        }
    }
    static void press(Qt::Key key) { QTest::keyClick(QApplication::focusWidget(), key); }
    void click(const QString &buttonText) const
    {
        QTest::mouseClick(button(buttonText), Qt::LeftButton);
    }

    // Does what starts the engine and waits until it has ended.
    template <typename Action> bool calculateBy(Action action) const
    {
        QSignalSpy finished(engine(), SIGNAL(finished(int, QProcess::ExitStatus)));
        action();
        return finished.wait(30000);
    }
    bool solve() const
    {
        return calculateBy([this]() { click(QStringLiteral("=")); });
    }
    bool pressReturn() const
    {
        return calculateBy([]() { press(Qt::Key_Return); });
    }

private:
    template <typename Widget> Widget *child(const QString &text) const
    {
        for (Widget *widget :
             display->findChildren<Widget *>(QString(), Qt::FindDirectChildrenOnly))
            if (widget->text() == text)
                return widget;
        return nullptr;
    }

    QWidget *display;
};

#endif
