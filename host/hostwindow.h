#ifndef HOSTWINDOW_H
#define HOSTWINDOW_H

#include <QMainWindow>

class QAction;
class QPluginInterface;

// The window that shows a plug-in's panel, titled and decorated by the
// plug-in, with its about text in the Help menu and the panel's clipboard,
// undo and redo in the Edit menu.
class HostWindow : public QMainWindow
{
    Q_OBJECT

public:
    HostWindow(QPluginInterface *plugin, const QString &settingsFile);

    QWidget *panel() const { return centralWidget(); }
    // Why the file cannot keep the panel's settings, or nothing when it can:
    // the panel writes it as an INI file, which would lose the lines of a
    // file of another kind.
    static QString settingsFileError(const QString &settingsFile);

public slots:
    // Takes the size the panel asks for, within the screen.
    void fitScreen();

protected:
    void showEvent(QShowEvent *event) override;

private:
    void copyAnswer();
    void copyFormula();
    void paste();
    void undo();
    void redo();
    void sendKey(QAction *entry, Qt::Key key, Qt::KeyboardModifiers modifiers);
    void clearPanel();
    void callDisplay(const char *slot);
    void showAbout();

    QPluginInterface *plugin;
    QAction *pasteAction;
    QAction *undoAction;
    QAction *redoAction;
    bool fitted = false;
};

#endif
