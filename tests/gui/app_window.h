#pragma once

#include <QTabWidget>
#include <QTemporaryDir>
#include <map>
#include <memory>

#include "app/main_window.h"
#include "app/page_widget.h"
#include "app/session.h"
#include "ui/scripted_ui.h"

namespace tw::guitest {

// The main window over simulated radios with tab `tab` shown, its modal boxes answered by a
// ScriptedUi; `service` and `simOptions` as the --service and --sim-option options.
struct AppWindow {
    explicit AppWindow(bool service = false, int tab = 0,
                       std::map<std::string, std::map<std::string, std::string>> simOptions = {}) {
        app::AppOptions o;
        o.simulate = true;
        o.service = service;
        o.simOptions = std::move(simOptions);
        o.ini = dir.filePath("novac4.ini").toStdString();
        session = std::make_unique<app::Session>(o, ui);
        window = std::make_unique<app::MainWindow>(*session, service);
        window->tabs()->setCurrentIndex(tab);
    }
    app::PageWidget* page(int tab) const { return window->pageWidget(tab); }

    QTemporaryDir dir;
    ScriptedUi ui;
    std::unique_ptr<app::Session> session;
    std::unique_ptr<app::MainWindow> window;
};

}  // namespace tw::guitest
