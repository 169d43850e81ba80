#include "hostwindow.h"

#include "qplugininterface.h"

#include <QFileInfo>
#include <QMenuBar>
#include <QMessageBox>
#include <QSettings>

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
