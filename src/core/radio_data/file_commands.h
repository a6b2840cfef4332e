#pragma once
// New, Open, Save and Save As as operations on the codeplug; the program's
// windows call them and show the message each failure names.
#include "radio_data/data_file.h"
#include "radio_data/model_catalog.h"

#include <ctime>
#include <filesystem>
#include <functional>
#include <string>

namespace qrv {

class CRadioData;
class CSettings;

struct CFileResult {
    bool ok = false;
    int message = 0;      // S01 number to show when not ok (0: nothing to show)
    std::string argument; // the message's argument: a version, or the file a save failed on
    bool needsSaveAs = false;
};

class CFileCommands {
public:
    CFileCommands(CSettings& settings, CRadioData& radioData, CFreqRangeList& ranges);

    const std::filesystem::path& CurrentPath() const { return m_currentPath; }
    void SetCurrentPath(std::filesystem::path path) { m_currentPath = std::move(path); }
    const DataFileHeader& LastHeader() const { return m_lastHeader; }

    // The commit step: every open editor stores what it shows into its objects.
    void SetCommitStep(std::function<void()> commit) { m_commit = std::move(commit); }

    // The default image of the current model and range: program directory +
    // ModelID + FreqRange + "DefaultSet.dat".
    std::filesystem::path DefaultImagePath() const;

    // Resets the codeplug and loads the default image, stamped with the given
    // local time. False (and no message) when the default image is missing or
    // malformed; the codeplug then holds the defaults of the reset.
    bool LoadDefaultImage(const std::tm& localTime);
    bool LoadDefaultImage();

    // Opens a data file. Nothing changes unless the whole file is good: the
    // header, the model, the version and the sections are all checked before
    // the identity is taken and the image replaced.
    CFileResult Open(const std::filesystem::path& path, bool fromRecentList = false);

    // Saves to the current path; needsSaveAs when there is none (or it names no file).
    CFileResult Save();
    CFileResult SaveAs(const std::filesystem::path& path, const std::string& comment);

private:
    CFileResult Write(const std::filesystem::path& path, const std::string& comment);

    CSettings& m_settings;
    CRadioData& m_radioData;
    CFreqRangeList& m_ranges;
    std::filesystem::path m_currentPath;
    DataFileHeader m_lastHeader{};
    CDataFile m_dataFile;
    std::function<void()> m_commit;
};

// Writes the programming time stamp (plain bytes, not BCD) into image bytes 0x020-0x027.
void WriteTimeStamp(Image& image, const std::tm& localTime);

} // namespace qrv
