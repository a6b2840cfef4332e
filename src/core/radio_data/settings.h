#pragma once
// The program-wide settings: the user's choices kept in Settings.ini (the
// port, the language, the model of the last document) and every numbered
// text of the language files.
#include "radio_data/document_identity.h"
#include "radio_data/list_spec.h"
#include "radio_data/profile_cache.h"

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace qrv {

class CSettings {
public:
    static constexpr int kServiceLevel = 659;
    static constexpr int kFactoryLevel = 61038527;
    static constexpr int kAnswerYes = 6;
    static constexpr int kAnswerNo = 7;
    static constexpr const char* kProgramVersion = "1.01.05.001";
    // The first four characters of the program version, which decide whether a
    // radio or a file is newer than the program.
    static constexpr const char* kVersionPrefix = "1.01";

    // Reads Settings.ini of the program directory (Signal, ComPort, ModelName, ModelID, FreqRange, PortName).
    explicit CSettings(std::filesystem::path programDirectory);
    ~CSettings();
    CSettings(const CSettings&) = delete;
    CSettings& operator=(const CSettings&) = delete;

    // A read-only settings object never writes Settings.ini (used by the command-line tool).
    void SetReadOnly(bool readOnly) { m_readOnly = readOnly; }
    bool IsReadOnly() const { return m_readOnly; }
    // From now on the file reads as ini, whatever the disk holds (the fuzz
    // targets look texts up thousands of times a second without the disk).
    void HoldFile(const std::filesystem::path& path, CIniFile ini) { m_cache.Hold(path, std::move(ini)); }
    // Writes the user's choices to Settings.ini, atomically: Signal, ModelID,
    // ModelName, ComPort and FreqRange (the previous range when the last
    // new-range question was answered No), and PortName. The program calls
    // it when the user chose a port or a model and at exit; the destructor
    // writes nothing. False when read-only or when the file could not be saved.
    bool WriteChoices();

    const std::filesystem::path& ProgramDirectory() const { return m_programDirectory; }
    const std::filesystem::path& SettingsFilePath() const { return m_settingsPath; }
    char DecimalSeparator() const { return m_decimalSeparator; }

    int ComPort = 1;
    // The device name of the port the radio was last found on (COM3,
    // /dev/ttyUSB0...), kept beside its number.
    std::string PortName;
    // The range before the last radio's, and the answer to the question
    // whether to add the radio's range: after a No, the previous range is
    // the one remembered.
    std::string PreviousRange;
    int LastRangeAnswer = kAnswerYes;

    // The identity of the last document: what the program starts with and a
    // new document is for. The open document has its own identity; the
    // program hands it here when it changes (its version is not kept).
    const CDocumentIdentity& RememberedModel() const { return m_model; }
    void RememberModel(const CDocumentIdentity& identity) { m_model = identity; }

    // Language selection and the help file.
    int StoredLanguageIndex() const;
    void SelectLanguage(int index);
    int LanguageIndex() const { return m_languageIndex; }
    const std::string& LanguageName() const { return m_languageName; }
    const std::filesystem::path& LanguageFilePath() const { return m_languagePath; }
    const std::string& HelpFilePath() const { return m_helpFile; }
    // The names of the language list of the current language file.
    std::vector<std::string> LanguageList() const;
    // The chosen or the English language file when it is missing or damaged
    // (its texts then come from the English ones built into the program).
    std::optional<std::filesystem::path> DamagedLanguageFile() const;

    // [Backup] KeepDays: how many days automatic backups are kept (0 keeps
    // them all); 60 when missing or not a plain number.
    int BackupKeepDays() const;
    int GetUserLevel() const;
    bool IsFactoryLevel() const;

    // Numbered texts; a text the chosen language lacks comes from English.
    // A message no language file has says so, in English, with its number.
    std::string GetMessage(int number) const;
    static std::string MissingMessageText(int number);
    std::string GetText(int number) const;
    bool GetTextIfAny(int number, std::string& out, bool captionFamily) const;
    // A value of the language file's section of the remembered model (the
    // open document's, which the program hands over as it changes).
    long long GetModelValue(int number) const;
    std::string GetModelText(int number) const;
    std::vector<std::string> GetList(int number) const;
    std::string GetItemText(int number, long long item) const;
    // The entry number whose text is shown; nullopt when no entry matches.
    std::optional<long long> GetItemNumber(int number, std::string_view text) const;
    // The same for a one-byte field: nullopt also when the entry number does not fit a byte.
    std::optional<std::uint8_t> GetItemByte(int number, std::string_view text) const;
    // The lines (text and item data) a combo box of that control number gets;
    // empty when the language file has no list for it.
    std::vector<CComboLine> FillCombo(int controlNumber) const;
    static std::vector<CComboLine> FillCombo(std::string_view listText) { return ExpandListSpec(listText); }

private:
    const CIniFile& LanguageFile() const { return m_cache.Get(m_languagePath); }
    std::filesystem::path EnglishLanguagePath() const;
    static const CIniFile& BuiltInEnglish();
    std::string LanguageText(const std::string& section, const std::string& key, std::string_view fallback,
                             std::size_t buffer) const;
    const CIniFile& SettingsFile() const { return m_cache.Get(m_settingsPath); }

    std::filesystem::path m_programDirectory;
    std::filesystem::path m_settingsPath;
    std::filesystem::path m_languagePath;
    std::string m_languageName = "English";
    std::string m_helpFile;
    int m_languageIndex = 0;
    char m_decimalSeparator = '.';
    bool m_readOnly = false;
    CDocumentIdentity m_model;
    CProfileCache m_cache;
};

} // namespace qrv
