#include "visualplugin.h"

#include "qplugininterface.h"
#include "verificationdata.h"

#include <QLibrary>
#include <QMap>
#include <QVersionNumber>

namespace
{
using VerificationQuery = const char *(*)();

// The lines "key=value" of a verification text.
QMap<QString, QString> verificationFields(const QString &text)
{
    QMap<QString, QString> fields;
    for (const QString &line : text.split(QLatin1Char('\n'))) {
        const int equals = line.indexOf(QLatin1Char('='));
        if (equals > 0)
            fields.insert(line.left(equals), line.mid(equals + 1));
    }
    return fields;
}

// A plug-in fits when it was built with the same major version of the
// toolkit, not a newer one, and in the same configuration.
QString verificationMismatch(const QString &pluginText)
{
    const QMap<QString, QString> plugin = verificationFields(pluginText);
    const QMap<QString, QString> own =
        verificationFields(QString::fromLatin1(BRISMA_VERIFICATION_DATA));
    if (plugin.value(QStringLiteral("pattern")) != own.value(QStringLiteral("pattern")))
        return QStringLiteral("its verification data are malformed");
    const QVersionNumber pluginVersion =
        QVersionNumber::fromString(plugin.value(QStringLiteral("version")));
    const QVersionNumber ownVersion = QVersionNumber::fromString(QString::fromLatin1(qVersion()));
    if (pluginVersion.majorVersion() != ownVersion.majorVersion() || pluginVersion > ownVersion)
        return QStringLiteral("it was built with Qt %1, this program runs Qt %2")
            .arg(plugin.value(QStringLiteral("version")), QString::fromLatin1(qVersion()));
    for (const char *key : {"debug", "buildkey"}) {
        const QString name = QLatin1String(key);
        if (plugin.value(name) != own.value(name))
            return QStringLiteral("its %1 \"%2\" differs from this program's \"%3\"")
                .arg(name, plugin.value(name), own.value(name));
    }
    return QString();
}
} // namespace

VisualPlugin::VisualPlugin(const QString &fileName) : loader(fileName)
{
    if (!load() || !verify())
        return;
    cast();
}

bool VisualPlugin::load()
{
    if (loader.load())
        return true;
    error = loader.errorString();
    return false;
}

bool VisualPlugin::verify()
{
    QLibrary library(loader.fileName());
    const auto query =
        reinterpret_cast<VerificationQuery>(library.resolve("qt_plugin_query_verification_data"));
    if (!query) {
        error = QStringLiteral("it exports no verification data");
        return false;
    }
    error = verificationMismatch(QString::fromLatin1(query()));
    return error.isEmpty();
}

void VisualPlugin::cast()
{
    QObject *root = loader.instance();
    pluginInterface = qobject_cast<QPluginInterface *>(root);
    if (pluginInterface)
        return;
    error = root ? QStringLiteral("its root object does not offer the interface %1")
                       .arg(QLatin1String(QPluginInterface_iid))
                 : loader.errorString();
}
