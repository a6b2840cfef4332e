#include "tool_runner.h"

#include <QProcess>
#include <QStringList>

namespace qrv::test {

CToolResult RunTool(const std::string& program, const std::vector<std::string>& args)
{
    QStringList list;
    for (const auto& a : args)
        list << QString::fromStdString(a);
    QProcess process;
    process.start(QString::fromStdString(program), list);
    CToolResult result;
    if (!process.waitForFinished(60000))
        return result;
    result.exitCode = process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
    result.out = process.readAllStandardOutput().toStdString();
    result.err = process.readAllStandardError().toStdString();
    return result;
}

} // namespace qrv::test
