#pragma once

#include <QApplication>
#include <QTimer>
#include <QWidget>
#include <functional>

// Answers the next modal window of type W as soon as it is up (a modal exec() blocks the test).
template <class W> void whenModal(std::function<void(W *)> act, int triesLeft = 200)
{
    QTimer::singleShot(10, [act, triesLeft] {
        if (auto *w = qobject_cast<W *>(QApplication::activeModalWidget())) {
            act(w);
            return;
        }
        if (triesLeft > 0)
            whenModal<W>(act, triesLeft - 1);
    });
}
