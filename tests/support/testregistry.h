// Test classes register themselves; the folder's test program runs them all.
#pragma once

#include <QObject>

#include <functional>
#include <memory>

using TestFactory = std::function<std::unique_ptr<QObject>()>;

bool RegisterTestClass(const char* name, TestFactory factory);

#define DROVANTEL_TEST(Class)              \
    static const bool registered_##Class = \
        RegisterTestClass(#Class, [] { return std::unique_ptr<QObject>(new Class); })
