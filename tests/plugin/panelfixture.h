#ifndef PANELFIXTURE_H
#define PANELFIXTURE_H

#include "brisma.h"
#include "displaydriver.h"
#include "qformula.h"

#include <QPushButton>
#include <QTemporaryDir>
#include <QtTest>

#include <memory>

// A panel of the panel library in a window of its own, with the shipped
// catalogue and its settings file, and so its history, in a temporary
// directory.
class PanelFixture
{
public:
    explicit PanelFixture(const QString &settingsDir = QString())
        : settingsFile((settingsDir.isEmpty() ? dir.path() : settingsDir) +
                       QStringLiteral("/brisma.ini")),
          panel(std::make_unique<brisma>()), driver(panel.get())
    {
        panel->setSettingsFile(settingsFile);
        panel->resize(900, 520);
    }

    bool open()
    {
        panel->show();
        if (!QTest::qWaitForWindowActive(panel.get()))
            return false;
        panel->setFocus();
        return true;
    }

    QWidget *display() const { return panel->findChild<QWidget *>(QStringLiteral("display")); }
    QString historyFile() const { return dir.filePath(QStringLiteral("brisma.history")); }
    QFormula *editedFormula() const
    {
        return display()
            ->findChild<QWidget *>(QStringLiteral("inputPlace"))
            ->findChild<QFormula *>();
    }
    QString editedLine() const { return editedFormula()->toLine(); }

    // Plays a user's steps: "{Up}", "{Down}", "{Left}", "{Right}" and "{End}" press
    // those keys, "{Name}" clicks the key of the formula Name, anything else
    // is typed.
    void play(const QStringList &steps) const
    {
        const QMap<QString, Qt::Key> keys{
            {QStringLiteral("{Up}"), Qt::Key_Up},     {QStringLiteral("{Down}"), Qt::Key_Down},
            {QStringLiteral("{Left}"), Qt::Key_Left}, {QStringLiteral("{Right}"), Qt::Key_Right},
            {QStringLiteral("{Left}"), Qt::Key_Left}, {QStringLiteral("{End}"), Qt::Key_End}};
        for (const QString &step : steps) {
            if (keys.contains(step)) {
                DisplayDriver::press(keys.value(step));
            } else if (step.startsWith(QLatin1Char('{'))) {
                auto *key = panel->findChild<QPushButton *>(QStringLiteral("key - ") +
                                                            step.mid(1, step.size() - 2));
                QVERIFY2(key, qPrintable(step));
                QTest::mouseClick(key, Qt::LeftButton);
            } else {
                DisplayDriver::type(step);
            }
        }
    }

    QTemporaryDir dir;
    QString settingsFile;
    std::unique_ptr<brisma> panel;
    DisplayDriver driver;
};

#endif
