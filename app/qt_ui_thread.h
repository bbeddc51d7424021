#pragma once

#include <QCoreApplication>
#include <QEventLoop>
#include <QMetaObject>
#include <QThread>
#include <memory>

#include "run/operation_runner.h"
#include "run/threaded_ui.h"

namespace tw::app {

// The application's event loop as the radio worker posts to it.
class QtUiThread : public UiThread {
  public:
    void post(std::function<void()> task) override {
        QMetaObject::invokeMethod(QCoreApplication::instance(), std::move(task),
                                  Qt::QueuedConnection);
    }
    void waitUntil(const std::function<bool()>& done) override {
        while (!done()) QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
    }
};

// The radio worker as a QThread: a serial port object made there gets the event dispatcher
// its notifiers need.
class QtWorkerThread : public WorkerThread {
  public:
    ~QtWorkerThread() override { join(); }
    void start(std::function<void()> body) override {
        thread_.reset(QThread::create(std::move(body)));
        thread_->start();
    }
    void join() override {
        if (thread_) thread_->wait();
    }

  private:
    std::unique_ptr<QThread> thread_;
};

}  // namespace tw::app
