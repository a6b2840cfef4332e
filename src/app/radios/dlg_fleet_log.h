#pragma once
// The fleet log as the user sees it: a read-only table of its rows, newest
// at the bottom, and a copy of it saved where the user chooses.
#include <QDialog>

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

class QTableWidget;

namespace qrv {

class CSettings;

class CDlgFleetLog : public QDialog {
    Q_OBJECT
public:
    // rows: the log's rows, its header first.
    CDlgFleetLog(const CSettings& settings, const std::vector<std::vector<std::string>>& rows,
                 QWidget* parent = nullptr);
    QTableWidget* Table() const { return m_table; }

private:
    QTableWidget* m_table = nullptr;
};

// The rows of the log, its header first; nullopt after the message that
// says why it could not be read.
std::optional<std::vector<std::vector<std::string>>> ReadFleetLog(QWidget* parent, const CSettings& settings,
                                                                  const std::filesystem::path& log);
// Copies the log to target whole or not at all; false after the message that says why.
bool SaveFleetLogCopy(QWidget* parent, const CSettings& settings, const std::filesystem::path& log,
                      const std::filesystem::path& target);

} // namespace qrv
