#pragma once

#include <QObject>
#include <functional>

// Every QtTest class of the GUI tests registers itself here; one main runs them all.
// `tw_gui_tests ClassName [QtTest options]` runs one class.
namespace tw::guitest {

int addTest(const char* name, std::function<QObject*()> make);

}  // namespace tw::guitest

#define TW_GUI_TEST(Class)              \
    static const int twGuiTest##Class = \
        ::tw::guitest::addTest(#Class, [] { return static_cast<QObject*>(new Class); });
