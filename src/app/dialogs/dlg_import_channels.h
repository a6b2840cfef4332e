#pragma once
// Channel import and export as CSV files: the File menu's commands, and the
// dialog that shows which rows of a file can be taken before anything changes.
#include "csv/channel_csv.h"
#include "presentation/command_numbers.h"

#include <QDialog>

#include <optional>
#include <string>

class QCheckBox;
class QDialogButtonBox;
class QLabel;
class QTableWidget;

namespace qrv {

class CRadioData;
class CSettings;

// Texts and control numbers (S02).
namespace csvui {
inline constexpr int kImportMenu = command::kImportChannels;
inline constexpr int kExportMenu = command::kExportChannels;
inline constexpr int kNativeFilter = 32932;
inline constexpr int kCommonFilter = 32933;
inline constexpr int kImportDialog = 32934;
inline constexpr int kLineHeader = 32935;
inline constexpr int kReasonHeader = 32936;
inline constexpr int kAppendBox = 32937;
} // namespace csvui

// Checks a file's text against the codeplug and lists the rows that cannot
// be taken; OK takes the good rows, Cancel changes nothing. The append box
// checks the file again against the room the channel list has left; without
// it the question says that the whole channel list is replaced. Without a
// format the header row tells the column set.
class CDlgImportChannels : public QDialog {
    Q_OBJECT
public:
    CDlgImportChannels(CRadioData& radioData, const CSettings& settings, std::string text,
                       std::optional<CCsvFormat> format = std::nullopt, QWidget* parent = nullptr);

    const CImportResult& Result() const { return m_result; }
    QCheckBox* AppendBox() const { return m_append; }
    QTableWidget* RejectedTable() const { return m_rejected; }
    QDialogButtonBox* Buttons() const { return m_buttons; }

    // OK: applies the result to the codeplug (then accepts).
    void Confirm();

private:
    void Check();

    CRadioData& m_data;
    const CSettings& m_settings;
    std::string m_text;
    std::optional<CCsvFormat> m_format;
    CImportResult m_result;
    QCheckBox* m_append = nullptr;
    QLabel* m_rowsLabel = nullptr;
    QTableWidget* m_rejected = nullptr;
    QLabel* m_question = nullptr;

public:
    QLabel* Question() const { return m_question; }
    QDialogButtonBox* m_buttons = nullptr;
};

// File > Import Channels: a file dialog, then the import dialog. Returns true
// when channels were taken; the caller then tells the open views (the channel
// list changed as a whole) and marks the codeplug changed.
bool ImportChannelsCommand(QWidget* parent, CRadioData& data, const CSettings& settings);
// The same after the file was chosen (for tests and a drop of a file).
bool ImportChannelsFromFile(QWidget* parent, CRadioData& data, const CSettings& settings, const QString& path,
                            std::optional<CCsvFormat> format = std::nullopt);

// File > Export Channels: a save dialog whose two filters are the column sets.
// Returns true when the file was written.
bool ExportChannelsCommand(QWidget* parent, const CRadioData& data, const CSettings& settings);
bool ExportChannelsToFile(QWidget* parent, const CRadioData& data, const CSettings& settings, const QString& path,
                          CCsvFormat format);

} // namespace qrv
