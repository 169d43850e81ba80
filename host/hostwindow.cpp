#include "hostwindow.h"

#include "qplugininterface.h"

#include <QApplication>
#include <QFileInfo>
#include <QKeyEvent>
#include <QMenuBar>
#include <QMessageBox>
#include <QScreen>
#include <QSettings>
#include <QTimer>

HostWindow::HostWindow(QPluginInterface *plugin, const QString &settingsFile) : plugin(plugin)
{
    setWindowTitle(plugin->title());
    setWindowIcon(plugin->icon());
    setCentralWidget(plugin->createWidget(settingsFile));
    QMenu *file = menuBar()->addMenu(tr("&File"));
    file->addAction(tr("&Quit"), this, &QWidget::close, QKeySequence::Quit);
    QMenu *edit = menuBar()->addMenu(tr("&Edit"));
    undoAction = edit->addAction(tr("&Undo"), this, &HostWindow::undo, QKeySequence::Undo);
    redoAction = edit->addAction(tr("&Redo"), this, &HostWindow::redo, QKeySequence::Redo);
    edit->addSeparator();
    edit->addAction(tr("&Copy answer"), this, &HostWindow::copyAnswer, QKeySequence::Copy);
    edit->addAction(tr("Copy &formula"), this, &HostWindow::copyFormula,
                    QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_C));
    pasteAction = edit->addAction(tr("&Paste"), this, &HostWindow::paste, QKeySequence::Paste);
    // "CE" clears too, inside the panel.
    edit->addAction(tr("C&lear"), this, &HostWindow::clearPanel,
                    QKeySequence(Qt::CTRL | Qt::Key_L));
    QMenu *help = menuBar()->addMenu(tr("&Help"));
    help->addAction(tr("&About %1").arg(plugin->title()), this, &HostWindow::showAbout);
    centralWidget()->setFocus();
    fitScreen();
}

// The group captions of the keyboard find their lines once the panel is
// laid out in the shown window; the window then fits what the panel asks
// for once more.
void HostWindow::showEvent(QShowEvent *event)
{
    QMainWindow::showEvent(event);
    if (!fitted)
        QTimer::singleShot(0, this, &HostWindow::fitScreen);
    fitted = true;
}

// The window opens as large as the panel asks for, within the screen; the
// panel scrolls its keys and folds its history where the screen is smaller.
void HostWindow::fitScreen()
{
    // the style sheet's fonts and margins count
    ensurePolished();
    const QRect room = screen()->availableGeometry();
    resize(sizeHint().boundedTo(room.size()).expandedTo(minimumSizeHint()));
}

// The host knows the panel's parts only by their object names and the
// slots of their meta-objects.
void HostWindow::copyAnswer()
{
    callDisplay("copyAnswer");
}

void HostWindow::copyFormula()
{
    callDisplay("copyFormula");
}

void HostWindow::clearPanel()
{
    callDisplay("clear");
}

void HostWindow::paste()
{
    sendKey(pasteAction, Qt::Key_V, Qt::ControlModifier);
}

void HostWindow::undo()
{
    sendKey(undoAction, Qt::Key_Z, Qt::ControlModifier);
}

void HostWindow::redo()
{
    sendKey(redoAction, Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier);
}

// The widget of the panel with the focus does what it would on the entry's
// key: the formula pastes on Ctrl+V, undoes on Ctrl+Z. While the key is
// delivered, the entry is off: its own shortcut would take the key again.
void HostWindow::sendKey(QAction *entry, Qt::Key key, Qt::KeyboardModifiers modifiers)
{
    QWidget *target = QApplication::focusWidget();
    if (!target || !panel()->isAncestorOf(target))
        return;
    entry->setEnabled(false);
    for (const QEvent::Type type : {QEvent::KeyPress, QEvent::KeyRelease}) {
        QKeyEvent event(type, key, modifiers);
        QApplication::sendEvent(target, &event);
    }
    entry->setEnabled(true);
}

void HostWindow::callDisplay(const char *slot)
{
    if (QWidget *display = panel()->findChild<QWidget *>(QStringLiteral("display")))
        QMetaObject::invokeMethod(display, slot);
}

void HostWindow::showAbout()
{
    QMessageBox about(QMessageBox::NoIcon, plugin->title(), plugin->aboutText(), QMessageBox::Ok,
                      this);
    about.setTextFormat(Qt::RichText);
    about.setIconPixmap(plugin->icon().pixmap(32, 32));
    about.exec();
}

QString HostWindow::settingsFileError(const QString &settingsFile)
{
    const QFileInfo file(settingsFile);
    if (file.exists() && !file.isFile())
        return QStringLiteral("the settings file %1 is not a regular file").arg(settingsFile);
    const QSettings settings(settingsFile, QSettings::IniFormat);
    // Asking for the keys reads the file; only then is its status known.
    settings.allKeys();
    if (settings.status() == QSettings::FormatError)
        return QStringLiteral(
                   "the settings file %1 is not an INI file; name another with --settings")
            .arg(settingsFile);
    return QString();
}
