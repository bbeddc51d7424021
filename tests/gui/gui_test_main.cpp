#include <QApplication>
#include <QTest>
#include <memory>
#include <utility>
#include <vector>

#include "gui/gui_test.h"

namespace tw::guitest {
namespace {

std::vector<std::pair<const char*, std::function<QObject*()>>>& registry() {
    static std::vector<std::pair<const char*, std::function<QObject*()>>> tests;
    return tests;
}

}  // namespace

int addTest(const char* name, std::function<QObject*()> make) {
    registry().emplace_back(name, std::move(make));
    return static_cast<int>(registry().size());
}

}  // namespace tw::guitest

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QString only;
    std::vector<char*> args(argv, argv + argc);
    if (args.size() > 1 && args[1][0] != '-') {
        only = args[1];
        args.erase(args.begin() + 1);
    }
    int failures = 0;
    for (auto& [name, make] : tw::guitest::registry()) {
        if (!only.isEmpty() && only != name) continue;
        std::unique_ptr<QObject> test(make());
        failures += QTest::qExec(test.get(), static_cast<int>(args.size()), args.data());
    }
    return failures == 0 ? 0 : 1;
}
