#ifndef QPLUGININTERFACE_H
#define QPLUGININTERFACE_H

#include <QIcon>
#include <QString>
#include <QtPlugin>

class QWidget;

// What a host asks of a visual plug-in. The host was built against this
// very declaration, so the order and signatures of the operations are fixed.
class QPluginInterface
{
public:
    // The system locale's name once the plug-in's translation is installed,
    // an empty text when there is none for this locale. Call it before
    // createWidget to get translated panels.
    virtual QString loadTranslation() = 0;
    virtual QString title() = 0;
    // An HTML page about the plug-in, in the locale's language.
    virtual QString aboutText() = 0;
    virtual QIcon icon() = 0;
    // A new panel without parent; the caller owns it. Its settings are kept
    // in the INI file named.
    virtual QWidget *createWidget(const QString &settingsFile) = 0;
    virtual ~QPluginInterface() = default;
};

#define QPluginInterface_iid "com.kestra.Tovel.QVisualInterface/1.1"
Q_DECLARE_INTERFACE(QPluginInterface, QPluginInterface_iid)

#endif
