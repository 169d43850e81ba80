#include "hostwindow.h"

#include "qplugininterface.h"

#include <QMenuBar>
#include <QMessageBox>

HostWindow::HostWindow(QPluginInterface *plugin, const QString &settingsFile) : plugin(plugin)
{
    setWindowTitle(plugin->title());
    setWindowIcon(plugin->icon());
    setCentralWidget(plugin->createWidget(settingsFile));
    QMenu *file = menuBar()->addMenu(tr("&File"));
    file->addAction(tr("&Quit"), this, &QWidget::close, QKeySequence::Quit);
    QMenu *help = menuBar()->addMenu(tr("&Help"));
    help->addAction(tr("&About %1").arg(plugin->title()), this, &HostWindow::showAbout);
    centralWidget()->setFocus();
}

void HostWindow::showAbout()
{
    QMessageBox about(QMessageBox::NoIcon, plugin->title(), plugin->aboutText(), QMessageBox::Ok,
                      this);
    about.setTextFormat(Qt::RichText);
    about.setIconPixmap(plugin->icon().pixmap(32, 32));
    about.exec();
}
