#pragma once
// The one document of a program: the codeplug, the range list of its model
// and the file it belongs to. The program's windows and qrvctl take this one
// path for New, Open, Save, Save As and the image a Write to Radio sends, so
// that the commit of the open editors, the data checks and the image rebuild
// happen in one place. The windows show the message each failure names.
#include "radio_data/data_file.h"
#include "radio_data/model_catalog.h"
#include "session/transfer_job.h"

#include <ctime>
#include <filesystem>
#include <functional>
#include <memory>
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

class CCodeplugSession {
public:
    explicit CCodeplugSession(CSettings& settings);
    ~CCodeplugSession();
    CCodeplugSession(const CCodeplugSession&) = delete;
    CCodeplugSession& operator=(const CCodeplugSession&) = delete;

    CSettings& Settings() const { return m_settings; }
    CRadioData& Data() const { return *m_radioData; }
    CFreqRangeList& Ranges() { return m_ranges; }
    const CFreqRangeList& Ranges() const { return m_ranges; }

    // The document becomes one for another radio (a model chosen, a radio
    // read): its identity, the range list of its model, and the model the
    // settings remember for the next start.
    void SetIdentity(const CDocumentIdentity& identity);

    const std::filesystem::path& CurrentPath() const { return m_currentPath; }
    void SetCurrentPath(std::filesystem::path path) { m_currentPath = std::move(path); }
    const DataFileHeader& LastHeader() const { return m_lastHeader; }

    // The commit step: every open editor stores what it shows into its objects.
    void SetCommitHook(std::function<void()> commit) { m_commit = std::move(commit); }

    // What precedes a save and a write to the radio: commit, data checks,
    // image rebuilt from the objects. Not ok (message kInvalidData) when the
    // checks find errors; the image is then left as it was.
    CFileResult PrepareImage();
    // Commit and image rebuild without the checks: the memory view and the
    // simulated radio show what the objects hold, valid or not.
    void RebuildImage();

    // Read from Radio and Write to Radio. The job is made on the window's
    // thread (a write after PrepareImage: it sends the image as it stands),
    // runs on a worker, and its outcome is taken here on the window's thread
    // again: the port and the radio's identity, the radio's range (the
    // question through ask), and after a read the radio's codeplug as an
    // untitled document. beforeLoad runs just before a read replaces it.
    std::unique_ptr<CTransferJob> MakeTransferJob(CTransferJob::Direction direction, CRadioLink& link);
    void FinishTransfer(CTransferJob& job, const CTransferResult& result, const CFreqRangeList::RangeQuestion& ask,
                        const std::function<void()>& beforeLoad = {});

    // The default image of the document's model and range: program
    // directory + model identifier + range + "DefaultSet.dat".
    std::filesystem::path DefaultImagePath() const;

    // An untitled document: resets the codeplug and loads the default image of its model, stamped
    // with the given local time (the data version becomes the program's). False (and no message) when the default image
    // is missing or malformed; the codeplug then holds the defaults of the reset.
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
    std::unique_ptr<CRadioData> m_radioData;
    CFreqRangeList m_ranges;
    std::filesystem::path m_currentPath;
    DataFileHeader m_lastHeader{};
    CDataFile m_dataFile;
    std::function<void()> m_commit;
};

// Writes the programming time stamp (plain bytes, not BCD) into image bytes 0x020-0x027.
void WriteTimeStamp(Image& image, const std::tm& localTime);

} // namespace qrv
