#pragma once
// Registration of Qt Test classes: TESSAVIN_UI_TEST(ClassName, file_stem) in each test file.
#include <QObject>
#include <QString>
#include <functional>
#include <map>
#include <memory>

namespace tessavin::test {

using UiTestFactory = std::function<std::unique_ptr<QObject>()>;

inline std::map<QString, UiTestFactory>& UiTests() {
    static std::map<QString, UiTestFactory> tests;
    return tests;
}

struct UiTestRegistrar {
    UiTestRegistrar(const char* name, UiTestFactory make) { UiTests()[name] = std::move(make); }
};

} // namespace tessavin::test

#define TESSAVIN_UI_TEST(Class, stem)                                                              \
    static const ::tessavin::test::UiTestRegistrar Class##Registrar(                               \
        #stem, [] { return std::unique_ptr<QObject>(new Class); });
