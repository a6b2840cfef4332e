#pragma once
// The program's side of the automatic backups: where they are kept (the
// user's application data folder), the pruning at start-up, and the menu
// item that opens the folder.
#include <QString>

#include <filesystem>

class QWidget;

namespace qrv {

class CSettings;

// <application data>/backups of the user.
std::filesystem::path DefaultBackupFolder();
// Removes the backups older than Settings.ini [Backup] KeepDays; the number removed.
int PruneBackups(const CSettings& settings);
// File > Open Backup Folder: shows the folder in the desktop's file manager.
bool OpenBackupFolder();

} // namespace qrv
