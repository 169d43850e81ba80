#ifndef QTOVELPLUGIN_H
#define QTOVELPLUGIN_H

#include "qplugininterface.h"

#include <QObject>

// The plug-in's root object: the host casts it to QPluginInterface by the
// interface identifier and asks it for the calculator panel.
class QTovelPlugin : public QObject, public QPluginInterface
{
    Q_OBJECT
    Q_PLUGIN_METADATA(IID QPluginInterface_iid)
    Q_INTERFACES(QPluginInterface)

public:
    QString loadTranslation() override;
    QString title() override;
    QString aboutText() override;
    QIcon icon() override;
    QWidget *createWidget(const QString &settingsFile) override;

private:
    static QString resourceText(const QString &path);
};

#endif
