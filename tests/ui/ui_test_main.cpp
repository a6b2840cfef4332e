// One executable for every UI test class: each runs in turn on the same
// application object, and the exit code counts the failures of all of them.
// Test classes named on the command line run alone; test functions named run
// in the classes that have them; "--shard K/N" runs only the classes whose
// place in the sorted registry is K modulo N, so that ctest can run the shards
// side by side.
#include "ui_test_registry.h"

#include <QApplication>
#include <QMetaMethod>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTest>

#include <cstdio>

namespace qrv::test {

std::map<std::string, UiTestFactory>& UiTests()
{
    static std::map<std::string, UiTestFactory> registry;
    return registry;
}

int RegisterUiTest(const char* name, UiTestFactory factory)
{
    UiTests()[name] = factory;
    return static_cast<int>(UiTests().size());
}

} // namespace qrv::test

namespace {

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
    static const QStringList withValue =
        QStringLiteral("-o -maxwarnings -eventdelay -keydelay -mousedelay -seed -platform").split(QLatin1Char(' '));
    QStringList own{arguments.value(0)};
    bool named = false;
    bool matched = false;
    for (qsizetype i = 1; i < arguments.size(); ++i) {
        const QString& argument = arguments[i];
        if (argument.startsWith(QLatin1Char('-'))) {
            own << argument;
            if (withValue.contains(argument) && i + 1 < arguments.size())
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
    // The recent files, backups and fleet logs live in the user's profile: keep the tests out of it.
    QStandardPaths::setTestModeEnabled(true);
    QStringList arguments = QCoreApplication::arguments();
    int shard = 0;
    int shards = 1;
    if (const qsizetype at = arguments.indexOf(QStringLiteral("--shard")); at >= 0) {
        const auto match = QRegularExpression(QStringLiteral("^(\\d+)/(\\d+)$")).match(arguments.value(at + 1));
        shard = match.captured(1).toInt();
        shards = match.captured(2).toInt();
        if (!match.hasMatch() || shards < 1 || shard >= shards) {
            std::fprintf(stderr, "--shard takes K/N with 0 <= K < N\n");
            return 2;
        }
        arguments.remove(at, 2);
    }
    QStringList classes;
    for (const auto& [name, make] : qrv::test::UiTests())
        if (arguments.removeAll(QString::fromStdString(name)) > 0)
            classes << QString::fromStdString(name);
    int failures = 0;
    int index = 0;
    for (const auto& [name, make] : qrv::test::UiTests()) {
        if (index++ % shards != shard || (!classes.isEmpty() && !classes.contains(QString::fromStdString(name))))
            continue;
        const std::unique_ptr<QObject> test = make();
        const QStringList own = ArgumentsFor(*test, arguments);
        if (!own.isEmpty())
            failures += QTest::qExec(test.get(), own);
    }
    return failures;
}
