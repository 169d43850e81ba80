#ifndef PANELSCRIPT_H
#define PANELSCRIPT_H

#include <QObject>
#include <QStringList>
#include <QTimer>

class QProcess;

// Drives a calculator panel as a user would, then saves a picture of it
// unless no file is named:
// it types the script into the focused field, clicks "=" and waits until the
// engine has answered. In the script "{Up}", "{Down}", "{Left}", "{Right}",
// "{Home}" and "{End}" press those keys, and "{Name}" clicks the screen key
// whose formula is called Name (the key named "key - Name").
class PanelScript : public QObject
{
    Q_OBJECT

public:
    PanelScript(QWidget *panel, const QString &script, const QString &pictureFile);

    // Plays the script once the panel's window is active; finished() reports
    // the outcome.
    void start();
    // The text of the panel's answer line.
    QString answer() const;

signals:
    void finished(bool ok, const QString &error);

private:
    bool eventFilter(QObject *watched, QEvent *event) override;
    void play();
    bool playStep(const QString &step);
    void pressKey(int key, const QString &text);
    void engineFinished();
    void engineFailed(const QString &error);
    void settleLayout();
    void savePicture();
    void fail(const QString &error);
    void finish(const QString &error);

    QWidget *panel;
    QStringList steps;
    QString pictureFile;
    QProcess *engine = nullptr;
    QTimer deadline;
    // What went wrong with the engine, reported after the picture of the
    // panel that says so.
    QString engineError;
    bool played = false;
    bool done = false;
};

#endif
