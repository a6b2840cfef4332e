// One executable for every UI test class: each runs in turn on the same
// application object, and the exit code counts the failures of all of them.
// Test functions named on the command line run in the classes that have them.
#include <QApplication>
#include <QMetaMethod>
#include <QObject>
#include <QTest>

#include <functional>
#include <memory>
#include <vector>

namespace qrv::test {

// Defined beside each test class.
std::unique_ptr<QObject> MakeMainFrameTest();
std::unique_ptr<QObject> MakeDataWatchViewTest();
std::unique_ptr<QObject> MakeDialogsTest();
std::unique_ptr<QObject> MakeHelpTest();

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
    const std::vector<std::function<std::unique_ptr<QObject>()>> tests{
        qrv::test::MakeMainFrameTest,
        qrv::test::MakeDataWatchViewTest,
        qrv::test::MakeDialogsTest,
        qrv::test::MakeHelpTest,
    };
    int failures = 0;
    for (const auto& make : tests) {
        const std::unique_ptr<QObject> test = make();
        const QStringList own = ArgumentsFor(*test, arguments);
        if (!own.isEmpty())
            failures += QTest::qExec(test.get(), own);
    }
    return failures;
}
