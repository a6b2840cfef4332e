#include "program_directory.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QStandardPaths>

namespace qrv {

namespace {

bool HoldsProgramData(const QDir& dir)
{
    return dir.exists(QStringLiteral("Model.dat")) || !dir.entryList({QStringLiteral("*.lng")}, QDir::Files).isEmpty();
}

// What the program ships and the user never edits: refreshed from the
// installed copies after an upgrade. Settings.ini, Model.dat (which holds the
// ranges learned from radios) and the user's own data files are not among them.
const QStringList& ProgramOwnFiles()
{
    static const QStringList patterns{QStringLiteral("*.lng"), QStringLiteral("*DefaultSet.dat"),
                                      QStringLiteral("*.jpg"), QStringLiteral("*.png")};
    return patterns;
}

// The installed files as they are now: a new package changes it.
QByteArray Fingerprint(const QDir& source)
{
    QByteArray print;
    for (const QFileInfo& file : source.entryInfoList(ProgramOwnFiles(), QDir::Files, QDir::Name))
        print += file.fileName().toUtf8() + ' ' + QByteArray::number(file.size()) + ' ' +
                 QByteArray::number(file.lastModified().toMSecsSinceEpoch()) + '\n';
    return print;
}

bool CopyWhole(const QString& from, const QString& to)
{
    QFile source(from);
    if (!source.open(QIODevice::ReadOnly))
        return false;
    QSaveFile target(to); // the old copy stays until the new one is whole
    return target.open(QIODevice::WriteOnly) && target.write(source.readAll()) == source.size() && target.commit();
}

} // namespace

void SeedProgramDirectory(const std::filesystem::path& installed, const std::filesystem::path& user)
{
    const QDir source(QString::fromStdU16String(installed.u16string()));
    const QDir target(QString::fromStdU16String(user.u16string()));
    if (!source.exists())
        return;
    QDir().mkpath(target.absolutePath());
    // First start: everything, Settings.ini and Model.dat too.
    if (!HoldsProgramData(target)) {
        const QStringList patterns{QStringLiteral("*.lng"), QStringLiteral("*.dat"), QStringLiteral("Settings.ini"),
                                   QStringLiteral("*.jpg"), QStringLiteral("*.png")};
        for (const QString& name : source.entryList(patterns, QDir::Files))
            CopyWhole(source.filePath(name), target.filePath(name));
    }
    const QByteArray print = Fingerprint(source);
    QFile stamp(target.filePath(QLatin1String(kInstalledStamp)));
    if (stamp.open(QIODevice::ReadOnly) && stamp.readAll() == print)
        return;
    stamp.close();
    bool whole = true;
    for (const QString& name : source.entryList(ProgramOwnFiles(), QDir::Files))
        whole = CopyWhole(source.filePath(name), target.filePath(name)) && whole;
    // A refresh cut short is tried again at the next start.
    QSaveFile newStamp(target.filePath(QLatin1String(kInstalledStamp)));
    if (whole && newStamp.open(QIODevice::WriteOnly) && newStamp.write(print) == print.size())
        newStamp.commit();
}

std::filesystem::path FleetLogPath()
{
    return std::filesystem::path(QStandardPaths::writableLocation(QStandardPaths::AppDataLocation).toStdU16String()) /
           "fleet_log.csv";
}

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
    const QString installed = exeDir.absoluteFilePath(QStringLiteral("../share/qrv"));
    SeedProgramDirectory(installed.toStdU16String(), userDir.absolutePath().toStdU16String());
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
