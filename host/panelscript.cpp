#include "panelscript.h"

#include <QApplication>
#include <QEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <QProcess>
#include <QPushButton>
#include <QRegularExpression>

namespace
{
// How long the window may take to become active, and the engine to answer.
const int activationWait = 2000;
const int engineWait = 30000;
// Passes over the pending events that the panel's layout may take to settle.
const int settlingPasses = 20;

// The script cut into single characters and {...} steps.
QStringList scriptSteps(const QString &script)
{
    QStringList steps;
    const QRegularExpression step(QStringLiteral("\\{[^}]+\\}|."),
                                  QRegularExpression::DotMatchesEverythingOption);
    auto match = step.globalMatch(script);
    while (match.hasNext())
        steps.append(match.next().captured());
    return steps;
}

int namedKey(const QString &name)
{
    static const QHash<QString, int> keys{
        {QStringLiteral("Up"), Qt::Key_Up},     {QStringLiteral("Down"), Qt::Key_Down},
        {QStringLiteral("Left"), Qt::Key_Left}, {QStringLiteral("Right"), Qt::Key_Right},
        {QStringLiteral("Home"), Qt::Key_Home}, {QStringLiteral("End"), Qt::Key_End},
    };
    return keys.value(name, 0);
}
} // namespace

PanelScript::PanelScript(QWidget *panel, const QString &script, const QString &pictureFile)
    : QObject(panel), panel(panel), steps(scriptSteps(script)), pictureFile(pictureFile)
{
    deadline.setSingleShot(true);
}

void PanelScript::start()
{
    panel->window()->installEventFilter(this);
    connect(&deadline, &QTimer::timeout, this, &PanelScript::play);
    deadline.start(activationWait);
    if (panel->window()->isActiveWindow())
        play();
}

QString PanelScript::answer() const
{
    const auto *inputPlace = panel->findChild<QWidget *>(QStringLiteral("inputPlace"));
    const auto *line =
        inputPlace ? inputPlace->findChild<QLineEdit *>(QString(), Qt::FindDirectChildrenOnly)
                   : nullptr;
    return line ? line->text() : QString();
}

bool PanelScript::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::WindowActivate)
        QTimer::singleShot(0, this, &PanelScript::play);
    return QObject::eventFilter(watched, event);
}

void PanelScript::play()
{
    if (played)
        return;
    played = true;
    deadline.disconnect();
    panel->setFocus();
    for (const QString &step : qAsConst(steps))
        if (!playStep(step))
            return;
    if (steps.isEmpty()) {
        savePicture();
        return;
    }
    engine = panel->findChild<QProcess *>();
    QPushButton *solve = nullptr;
    for (QPushButton *button : panel->findChildren<QPushButton *>())
        if (button->text() == QLatin1String("="))
            solve = button;
    if (!engine || !solve) {
        fail(QStringLiteral("the panel has no \"=\" button or no engine"));
        return;
    }
    connect(engine, QOverload<int, QProcess::ExitStatus>::of(&QProcess::finished), this,
            &PanelScript::engineFinished);
    connect(engine, &QProcess::errorOccurred, this, [this](QProcess::ProcessError error) {
        if (error == QProcess::FailedToStart)
            engineFailed(QStringLiteral("the engine tovel could not be started"));
    });
    connect(&deadline, &QTimer::timeout, this,
            [this]() { engineFailed(QStringLiteral("the engine did not answer in time")); });
    deadline.start(engineWait);
    solve->click();
    // A formula that cannot be calculated, with a field left empty, starts
    // no engine: the panel's answer line says why.
    if (engine->state() == QProcess::NotRunning && deadline.isActive())
        engineFailed(answer());
}

bool PanelScript::playStep(const QString &step)
{
    if (step.size() == 1) {
        pressKey(0, step);
        return true;
    }
    const QString name = step.mid(1, step.size() - 2);
    if (const int key = namedKey(name)) {
        pressKey(key, QString());
        return true;
    }
    auto *key = panel->findChild<QPushButton *>(QStringLiteral("key - ") + name);
    if (!key) {
        fail(QStringLiteral("the panel has no key \"%1\"").arg(name));
        return false;
    }
    key->click();
    return true;
}

void PanelScript::pressKey(int key, const QString &text)
{
    QWidget *target = panel->window()->focusWidget();
    if (!target)
        return;
    QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier, text);
    QApplication::sendEvent(target, &press);
    QKeyEvent release(QEvent::KeyRelease, key, Qt::NoModifier, text);
    QApplication::sendEvent(target, &release);
}

// The answer has been read by the time the engine is reported finished; the
// picture is taken once the panel has laid it out.
void PanelScript::engineFinished()
{
    deadline.stop();
    QTimer::singleShot(0, this, &PanelScript::savePicture);
}

// The panel shows the failure too: an engine that does not answer is
// stopped, so that the panel says so; its picture is taken all the same,
// and the failure reported after it; a late end of the engine changes
// nothing.
void PanelScript::engineFailed(const QString &error)
{
    engine->disconnect(this);
    if (QWidget *display = panel->findChild<QWidget *>(QStringLiteral("display")))
        QMetaObject::invokeMethod(display, "abandon");
    engineError = error;
    engineFinished();
}

// A nested formula's new size reaches the formulas around it one layout pass
// at a time, each pass posting the next, and the window takes its new size
// through the window system: the events are processed until a pass leaves
// every widget where it was.
void PanelScript::settleLayout()
{
    QVector<QRect> before;
    for (int pass = 0; pass < settlingPasses; ++pass) {
        QCoreApplication::processEvents();
        QVector<QRect> places{panel->geometry()};
        for (const QWidget *widget : panel->findChildren<QWidget *>())
            places.append(QRect(widget->mapTo(panel, QPoint()), widget->size()));
        if (places == before)
            return;
        before = places;
    }
}

// The window takes the size that the panel asks for with what was typed,
// so that the picture shows the whole panel where the screen has room.
void PanelScript::savePicture()
{
    settleLayout();
    QMetaObject::invokeMethod(panel->window(), "fitScreen");
    settleLayout();
    if (pictureFile.isEmpty() || panel->grab().save(pictureFile, "PNG"))
        finish(engineError);
    else
        fail(QStringLiteral("cannot write the picture %1").arg(pictureFile));
}

void PanelScript::fail(const QString &error)
{
    finish(error);
}

// Reports the outcome once: a late engine report after a failure is ignored.
void PanelScript::finish(const QString &error)
{
    deadline.stop();
    if (done)
        return;
    done = true;
    emit finished(error.isEmpty(), error);
}
