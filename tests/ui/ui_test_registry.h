#pragma once
// Each UI test class registers itself here; ui_test_main.cpp runs them all.
#include <QObject>

#include <map>
#include <memory>
#include <string>

namespace qrv::test {

using UiTestFactory = std::unique_ptr<QObject> (*)();

// By name, so that the order does not depend on the linker.
std::map<std::string, UiTestFactory>& UiTests();
int RegisterUiTest(const char* name, UiTestFactory factory);

} // namespace qrv::test

// At namespace scope of the test's source file, after the class.
#define QRV_REGISTER_UI_TEST(Class)                                                                                    \
    static const int qrvUiTestRegistered##Class =                                                                      \
        ::qrv::test::RegisterUiTest(#Class, []() -> std::unique_ptr<QObject> { return std::make_unique<Class>(); })
