// One executable for every UI test class: each runs in turn on the same
// application object, and the exit code counts the failures of all of them.
// Test functions named on the command line run in the classes that have them.
#include "ui_test_registry.h"

#include <QApplication>
#include <QMetaMethod>
#include <QObject>
#include <QTest>

#include <algorithm>
#include <map>
#include <memory>
#include <vector>

namespace qrv::test {

namespace {

std::map<std::string, UiTestFactory>& Registry()
{
    static std::map<std::string, UiTestFactory> registry;
    return registry;
}

} // namespace

int RegisterUiTest(const char* name, UiTestFactory factory)
{
    Registry()[name] = factory;
    return static_cast<int>(Registry().size());
}

std::vector<std::pair<std::string, UiTestFactory>> UiTests()
{
    return {Registry().begin(), Registry().end()};
}

} // namespace qrv::test

namespace {

bool TakesValue(const QString& option)
{
    static const QStringList options{QStringLiteral("-o"),          QStringLiteral("-maxwarnings"),
                                     QStringLiteral("-eventdelay"), QStringLiteral("-keydelay"),
                                     QStringLiteral("-mousedelay"), QStringLiteral("-seed"),
                                     QStringLiteral("-platform")};
    return options.contains(option);
}

bool HasFunction(const QObject& test, const QString& argument)
{
    // "Name" or "Name:data tag".
    const QByteArray name = argument.section(QLatin1Char(':'), 0, 0).toLatin1();
    const QMetaObject* meta = test.metaObject();
    for (int i = meta->methodOffset(); i < meta->methodCount(); ++i)
        if (meta->method(i).name() == name)
            return true;
    return false;
}

// The options as given, and of the test functions named only those the class
// has; empty when functions were named and the class has none of them.
QStringList ArgumentsFor(const QObject& test, const QStringList& arguments)
{
    QStringList own{arguments.value(0)};
    bool named = false;
    bool matched = false;
    for (qsizetype i = 1; i < arguments.size(); ++i) {
        const QString& argument = arguments[i];
        if (argument.startsWith(QLatin1Char('-'))) {
            own << argument;
            if (TakesValue(argument) && i + 1 < arguments.size())
                own << arguments[++i];
        } else {
            named = true;
            if (HasFunction(test, argument)) {
                own << argument;
                matched = true;
            }
        }
    }
    return named && !matched ? QStringList{} : own;
}

} // namespace

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    const QStringList arguments = QCoreApplication::arguments();
    int failures = 0;
    for (const auto& [name, make] : qrv::test::UiTests()) {
        const std::unique_ptr<QObject> test = make();
        const QStringList own = ArgumentsFor(*test, arguments);
        if (!own.isEmpty())
            failures += QTest::qExec(test.get(), own);
    }
    return failures;
}
