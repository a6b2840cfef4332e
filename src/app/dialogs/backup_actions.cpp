#include "dialogs/backup_actions.h"

#include "radio_data/backup_folder.h"
#include "radio_data/messages.h"
#include "radio_data/settings.h"
#include "shell/message_box.h"

#include <QDesktopServices>
#include <QDir>
#include <QStandardPaths>
#include <QUrl>

#include <ctime>

namespace qrv {

std::filesystem::path DefaultBackupFolder()
{
    const QString data = QStandardPaths::writableLocation(QStandardPaths::AppDataLocation);
    return std::filesystem::path(data.toStdU16String()) / "backups";
}

int PruneBackups(const CSettings& settings)
{
    return CBackupFolder(DefaultBackupFolder()).Prune(settings.BackupKeepDays(), std::time(nullptr));
}

bool OpenBackupFolder(QWidget* parent, const CSettings& settings, const UrlOpener& open)
{
    const std::filesystem::path folder = DefaultBackupFolder();
    const QString path = QString::fromStdU16String(folder.u16string());
    QDir().mkpath(path);
    const QUrl url = QUrl::fromLocalFile(path);
    if (open ? open(url) : QDesktopServices::openUrl(url))
        return true;
    ShowMessage(parent, settings, msg::kBackupFolderIs, QMessageBox::Ok, QDir::toNativeSeparators(path));
    return false;
}

} // namespace qrv
