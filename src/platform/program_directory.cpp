#include "program_directory.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QStandardPaths>

namespace qrv {

namespace {

bool HoldsProgramData(const QDir& dir)
{
    return dir.exists(QStringLiteral("Model.dat")) || !dir.entryList({QStringLiteral("*.lng")}, QDir::Files).isEmpty();
}

void SeedFrom(const QDir& source, const QDir& target)
{
    if (!source.exists() || HoldsProgramData(target))
        return;
    QDir().mkpath(target.absolutePath());
    const QStringList patterns{QStringLiteral("*.lng"), QStringLiteral("*.dat"), QStringLiteral("Settings.ini"),
                               QStringLiteral("*.jpg"), QStringLiteral("*.png")};
    for (const QString& name : source.entryList(patterns, QDir::Files))
        QFile::copy(source.filePath(name), target.filePath(name));
}

} // namespace

std::string ToUtf8Path(const std::filesystem::path& path)
{
    const auto u8 = path.u8string();
    return std::string(u8.begin(), u8.end());
}

std::filesystem::path FromUtf8Path(const std::string& path)
{
    return std::filesystem::path(std::u8string(path.begin(), path.end()));
}

std::filesystem::path ResolveProgramDirectory(const std::optional<std::string>& dataDir)
{
    if (dataDir)
        return FromUtf8Path(*dataDir);
    const QDir exeDir(QCoreApplication::applicationDirPath());
    if (HoldsProgramData(exeDir))
        return FromUtf8Path(exeDir.absolutePath().toStdString());
    const QDir userDir(QStandardPaths::writableLocation(QStandardPaths::AppDataLocation));
    SeedFrom(QDir(exeDir.absoluteFilePath(QStringLiteral("../share/qrv"))), userDir);
    return FromUtf8Path(userDir.absolutePath().toStdString());
}

std::filesystem::path ResolveHelpDirectory(const std::filesystem::path& programDirectory)
{
    const auto local = programDirectory / "help";
    std::error_code ec;
    if (std::filesystem::is_directory(local, ec))
        return local;
    const QDir exeDir(QCoreApplication::applicationDirPath());
    return FromUtf8Path(exeDir.absoluteFilePath(QStringLiteral("../share/qrv/help")).toStdString());
}

} // namespace qrv
