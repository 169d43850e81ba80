#ifndef SETTLEDLAYOUT_H
#define SETTLEDLAYOUT_H

#include <QCoreApplication>
#include <QEvent>
#include <QRect>
#include <QVector>
#include <QWidget>

// Drives the layout of a window to its end. A nested formula's new size
// travels outward one layout pass at a time, each pass posting the next;
// removed items go and new ones show on later passes too. Each pass here
// delivers everything the one before posted; the layout has settled once a
// pass changes no widget's geometry, size hint or visibility. No clock takes
// part, so a slow or busy machine settles the same way as a fast one.
inline bool settleLayout(QWidget *window, int maxPasses = 500)
{
    const auto snapshot = [window]() {
        QVector<QRect> state{window->geometry()};
        for (const QWidget *widget : window->findChildren<QWidget *>()) {
            state.append(widget->geometry());
            state.append(QRect(QPoint(widget->isVisible(), 0), widget->sizeHint()));
        }
        return state;
    };
    QVector<QRect> before = snapshot();
    for (int pass = 0; pass < maxPasses; ++pass) {
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QCoreApplication::processEvents();
        const QVector<QRect> after = snapshot();
        if (after == before)
            return true;
        before = after;
    }
    return false;
}

#endif
