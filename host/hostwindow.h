#ifndef HOSTWINDOW_H
#define HOSTWINDOW_H

#include <QMainWindow>

class QPluginInterface;

// The window that shows a plug-in's panel, titled and decorated by the
// plug-in, with its about text in the Help menu.
class HostWindow : public QMainWindow
{
    Q_OBJECT

public:
    HostWindow(QPluginInterface *plugin, const QString &settingsFile);

    QWidget *panel() const { return centralWidget(); }

private:
    void showAbout();

    QPluginInterface *plugin;
};

#endif
