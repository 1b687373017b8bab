// Runs every registered test class. Arguments are passed to each class; a first argument that
// names a class runs that class alone (the rest are QtTest's own); --list-classes lists them.
#include <QApplication>
#include <QList>
#include <QTest>

#include <cstdio>
#include <cstring>
#include <map>
#include <string>

#include "platform/windowrules.h"
#include "testregistry.h"

namespace {

std::map<std::string, TestFactory>& registry() {
    static std::map<std::string, TestFactory> classes;
    return classes;
}

}  // namespace

bool RegisterTestClass(const char* name, TestFactory factory) {
    registry().emplace(name, std::move(factory));
    return true;
}

int main(int argc, char* argv[]) {
    // The class names, one a line, for a runner that runs each class on its own.
    if (argc > 1 && std::strcmp(argv[1], "--list-classes") == 0) {
        for (const auto& entry : registry()) {
            std::printf("%s\n", entry.first.c_str());
        }
        return 0;
    }
    QApplication app(argc, argv);
    // The windows behave as in the program.
    InstallWindowRules();
    std::string only;
    if (argc > 1 && registry().count(argv[1]) != 0) {
        only = argv[1];
        argv[1] = argv[0];
        --argc;
        ++argv;
    }
    int failures = 0;
    for (const auto& [name, factory] : registry()) {
        if (!only.empty() && name != only) {
            continue;
        }
        std::unique_ptr<QObject> test = factory();
        failures += QTest::qExec(test.get(), argc, argv);
    }
    return failures == 0 ? 0 : 1;
}
