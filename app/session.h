#pragma once

#include <memory>
#include <string>

#include "app/app_options.h"
#include "app/qt_ui_thread.h"
#include "run/operation_runner.h"
#include "run/radio_operation.h"
#include "run/startup.h"
#include "run/threaded_ui.h"
#include "view/env.h"
#include "view/main_view.h"

namespace tw::app {

class SimulatedRadios;

// Everything one run of the program holds apart from its widgets: the profile, the clock, the
// serial link over real or simulated devices, the current port, the main view with its
// seven pages and the worker that carries out their radio work. Flows reach the technician
// through a Ui that carries each act to the window's thread and, once an operation is
// cancelled, keeps its line-fault messages back.
class Session {
  public:
    Session(const AppOptions& options, Ui& ui);
    ~Session();
    Session(const Session&) = delete;
    Session& operator=(const Session&) = delete;

    // Empty when the session is usable; else why not (a trace file that cannot be written).
    const std::string& error() const { return error_; }

    Env& env() { return startup_.env(); }
    MainView& view() { return *view_; }
    Profile& profile() { return startup_.profile(); }
    SerialLink& link() { return startup_.link(); }
    AppState& app() { return startup_.app(); }
    SimulatedRadios* simulated() { return simulated_; }

    // Keeps the simulated radio in step with the selected tab.
    void tabSelected(int tab);

    // Starts `operation` on the radio worker; `finished` runs on the window's thread with
    // its result. False while another operation runs.
    bool startOperation(RadioWork work, std::function<bool()> operation,
                        std::function<void(bool)> finished);
    bool operating() const { return runner_->running(); }
    // Asks the running operation to stop at its next command boundary.
    void cancelOperation() { cancel_.request(); }
    // The window is closing: answers every question of the running operation with its
    // refusing answer, cancels it and waits for it to end.
    void shutdown();
    ThreadedUi& threadedUi() { return threaded_; }

  private:
    QtUiThread loop_;
    ThreadedUi threaded_;
    CancelSignal cancel_;
    Startup startup_;
    SimulatedRadios* simulated_ = nullptr;
    std::unique_ptr<MainView> view_;
    std::string error_;
    // Last, so the worker stops before anything it uses goes.
    std::unique_ptr<OperationRunner> runner_;
};

}  // namespace tw::app
