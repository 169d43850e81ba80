#ifndef SETTLEDLAYOUT_H
#define SETTLEDLAYOUT_H

#include <QCoreApplication>
#include <QEvent>
#include <QLayout>
#include <QRect>
#include <QVector>
#include <QWidget>

#include <algorithm>

// The depth of a widget below the window.
inline int depthBelow(const QWidget *window, const QWidget *widget)
{
    int depth = 0;
    for (; widget && widget != window; widget = widget->parentWidget())
        ++depth;
    return depth;
}

// Drives the layout of a window to its end. A nested formula's new size
// travels outward one layout pass at a time, each pass posting the next;
// removed items go and new ones show on later passes. Each pass here delivers
// what was posted and then lays out every widget whose layout is out of date,
// the innermost first, so that each sees the new sizes of those inside it;
// the layout has settled once a pass changes no widget's geometry, size hint
// or visibility. No clock takes part, so a slow or busy machine settles the
// same way as a fast one.
inline bool settleLayout(QWidget *window, int maxPasses = 100)
{
    QList<QWidget *> widgets;
    const auto snapshot = [window, &widgets]() {
        widgets = window->findChildren<QWidget *>();
        QVector<QRect> state{window->geometry(), QRect(QPoint(), window->sizeHint())};
        for (const QWidget *widget : qAsConst(widgets)) {
            state.append(widget->geometry());
            state.append(QRect(QPoint(widget->isVisible(), 0), widget->sizeHint()));
        }
        return state;
    };
    QVector<QRect> before = snapshot();
    for (int pass = 0; pass < maxPasses; ++pass) {
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QCoreApplication::processEvents();
        widgets = window->findChildren<QWidget *>();
        widgets.append(window);
        std::stable_sort(widgets.begin(), widgets.end(), [window](QWidget *a, QWidget *b) {
            return depthBelow(window, a) > depthBelow(window, b);
        });
        for (QWidget *widget : qAsConst(widgets))
            if (widget->layout())
                widget->layout()->activate();
        const QVector<QRect> after = snapshot();
        if (after == before)
            return true;
        before = after;
    }
    return false;
}

#endif
