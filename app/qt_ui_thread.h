#pragma once

#include <QCoreApplication>
#include <QMetaObject>

#include "run/threaded_ui.h"

namespace tw::app {

// The application's event loop as the radio worker posts to it.
class QtUiThread : public UiThread {
  public:
    void post(std::function<void()> task) override {
        QMetaObject::invokeMethod(QCoreApplication::instance(), std::move(task),
                                  Qt::QueuedConnection);
    }
};

}  // namespace tw::app
