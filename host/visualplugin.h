#ifndef VISUALPLUGIN_H
#define VISUALPLUGIN_H

#include <QPluginLoader>
#include <QString>

class QPluginInterface;

// A visual plug-in loaded from its file: the library is loaded, its
// verification data compared with this program's build, and its root object
// cast to QPluginInterface by the interface identifier. When any step fails,
// interface() is null and errorString() says why.
class VisualPlugin
{
public:
    explicit VisualPlugin(const QString &fileName);

    QPluginInterface *interface() const { return pluginInterface; }
    QString errorString() const { return error; }

private:
    bool load();
    bool verify();
    void cast();

    QPluginLoader loader;
    QPluginInterface *pluginInterface = nullptr;
    QString error;
};

#endif
