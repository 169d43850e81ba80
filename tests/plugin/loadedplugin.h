#ifndef LOADEDPLUGIN_H
#define LOADEDPLUGIN_H

#include "displaydriver.h"
#include "qplugininterface.h"
#include "settledlayout.h"

#include <QPluginLoader>
#include <QTemporaryDir>
#include <QtTest>

#include <memory>

// The built plug-in, loaded the way a host loads it.
inline QObject *pluginRoot()
{
    static QPluginLoader loader(QStringLiteral(BRISMA_PLUGIN));
    return loader.instance();
}

inline QPluginInterface *loadedPlugin()
{
    return qobject_cast<QPluginInterface *>(pluginRoot());
}

// A panel of the loaded plug-in in a window of its own, with its settings
// file in a temporary directory.
class PanelWindow
{
public:
    PanelWindow()
        : panel(loadedPlugin()->createWidget(settings.filePath(QStringLiteral("brisma.ini")))),
          driver(panel.get())
    {
        panel->resize(700, 500);
    }

    bool open()
    {
        panel->show();
        if (!QTest::qWaitForWindowActive(panel.get()))
            return false;
        panel->setFocus();
        return true;
    }

    QString settingsFile() const { return settings.filePath(QStringLiteral("brisma.ini")); }

    // Clicks the screen key of the formula with the given name.
    void clickKey(const QString &name) const
    {
        auto *key = panel->findChild<QPushButton *>(QStringLiteral("key - ") + name);
        QVERIFY2(key, qPrintable(name));
        QTest::mouseClick(key, Qt::LeftButton);
    }

    // Clicks in the formula's view just right of the edited formula named
    // Name, halfway down it, where the view shows free space, once the
    // formula is laid out as the user sees it.
    void clickRightOf(const QString &name) const
    {
        QVERIFY(settleLayout(panel.get()));
        auto *formula =
            panel->findChild<QWidget *>(QStringLiteral("inputPlace"))->findChild<QWidget *>(name);
        QVERIFY2(formula, qPrintable(name));
        QWidget *view = formula;
        while (view->parentWidget()->objectName() != QLatin1String("inputPlace"))
            view = view->parentWidget();
        const QPoint point =
            formula->mapTo(view, QPoint(formula->width() + 4, formula->height() / 2));
        QWidget *target = view->childAt(point);
        target = target ? target : view;
        QTest::mouseClick(target, Qt::LeftButton, Qt::NoModifier, target->mapFrom(view, point));
    }

    // Plays a user's steps: "{Up}", "{Down}", "{Left}", "{Right}" and "{End}"
    // press those keys, "{Name}" clicks the key of the formula Name, "[right
    // of Name]" clicks right of the formula Name, anything else is typed.
    void play(const QStringList &steps) const
    {
        const QMap<QString, Qt::Key> keys{{QStringLiteral("{Up}"), Qt::Key_Up},
                                          {QStringLiteral("{Down}"), Qt::Key_Down},
                                          {QStringLiteral("{Left}"), Qt::Key_Left},
                                          {QStringLiteral("{Right}"), Qt::Key_Right},
                                          {QStringLiteral("{End}"), Qt::Key_End}};
        const QString rightOf = QStringLiteral("[right of ");
        for (const QString &step : steps) {
            if (keys.contains(step))
                DisplayDriver::press(keys.value(step));
            else if (step.startsWith(rightOf))
                clickRightOf(step.mid(rightOf.size(), step.size() - rightOf.size() - 1));
            else if (step.startsWith(QLatin1Char('{')))
                clickKey(step.mid(1, step.size() - 2));
            else
                DisplayDriver::type(step);
        }
    }

    QTemporaryDir settings;
    std::unique_ptr<QWidget> panel;
    DisplayDriver driver;
};

#endif
