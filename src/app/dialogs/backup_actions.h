#pragma once
// The program's side of the automatic backups: where they are kept (the
// user's application data folder), the pruning at start-up, and the menu
// item that opens the folder.
#include <QString>

#include <filesystem>
#include <functional>

class QUrl;
class QWidget;

namespace qrv {

class CSettings;

// <application data>/backups of the user.
std::filesystem::path DefaultBackupFolder();
// Removes the backups older than Settings.ini [Backup] KeepDays; the number removed.
int PruneBackups(const CSettings& settings);
// File > Open Backup Folder: shows the folder in the desktop's file manager,
// or, when none opens it, says where the folder is. The opener is the
// desktop's unless given.
using UrlOpener = std::function<bool(const QUrl&)>;
bool OpenBackupFolder(QWidget* parent, const CSettings& settings, const UrlOpener& open = {});

} // namespace qrv
