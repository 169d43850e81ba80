#include "qtovelplugin.h"

#include "brisma.h"
#include "verificationdata.h"

#include <QCoreApplication>
#include <QFile>
#include <QLocale>
#include <QTextCodec>
#include <QTranslator>

// The toolkit's plug-in export gives the host qt_plugin_instance; the host
// checks this one before it uses the plug-in.
extern "C" Q_DECL_EXPORT const char *qt_plugin_query_verification_data()
{
    return BRISMA_VERIFICATION_DATA;
}

QString QTovelPlugin::loadTranslation()
{
    auto *translator = new QTranslator(this);
    if (!translator->load(QStringLiteral(":brisma/i18n/brisma.qm"))) {
        delete translator;
        return QString();
    }
    QCoreApplication::installTranslator(translator);
    return QLocale::system().name();
}

QString QTovelPlugin::title()
{
    return tr("Brisma");
}

QString QTovelPlugin::aboutText()
{
    return resourceText(QStringLiteral(":brisma/data/about.htm"));
}

QIcon QTovelPlugin::icon()
{
    return QIcon(QStringLiteral(":brisma/data/icon.png"));
}

QWidget *QTovelPlugin::createWidget(const QString &settingsFile)
{
    auto *panel = new brisma();
    panel->setSettingsFile(settingsFile);
    panel->setStyleSheet(resourceText(QStringLiteral(":brisma/data/default.css")));
    return panel;
}

// The about pages and the style sheet are stored in code page CP1251; their
// text ends at the first zero byte. A file that cannot be read gives an
// empty text.
QString QTovelPlugin::resourceText(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text))
        return QString();
    QByteArray bytes = file.readAll();
    const int end = bytes.indexOf('\0');
    if (end >= 0)
        bytes.truncate(end);
    return QTextCodec::codecForName("CP1251")->toUnicode(bytes);
}
