#include "session/codeplug_session.h"

#include "radio_data/messages.h"
#include "radio_data/radio_data.h"
#include "radio_data/read_failure.h"
#include "radio_data/save_failure.h"
#include "radio_data/settings.h"
#include "util/atomic_file.h"
#include "util/file_read.h"
#include "util/local_time.h"
#include "util/text_format.h"

namespace qrv {

namespace {
constexpr const char* kDefaultImageSuffix = "DefaultSet.dat";

bool IsUsableText(const std::string& text)
{
    return !text.empty() && !HasControlCharacters(text);
}
} // namespace

void WriteTimeStamp(Image& image, const std::tm& localTime)
{
    const auto stamp = CRadioInfoData::MakeStamp(localTime);
    std::copy(stamp.begin(), stamp.end(), image.begin() + CRadioInfoData::kImageOffset + CRadioInfoData::kStampOffset);
}

CCodeplugSession::CCodeplugSession(CSettings& settings)
    : m_settings(settings), m_radioData(std::make_unique<CRadioData>(settings))
{
    // A missing or damaged Settings.ini remembers no usable model: the document
    // takes the model this program accepts, with its first name and range in
    // Model.dat, so that what is saved opens again and the model's radios are
    // recognised.
    CDocumentIdentity& identity = m_radioData->Identity();
    if (!IsUsableText(identity.modelId))
        identity.modelId = m_settings.GetModelText(msg::kAcceptedModelId);
    if (!IsUsableText(identity.modelName)) {
        const CModelCatalog catalog(m_settings.ProgramDirectory(), identity.modelId, {}, {}, identity.signal);
        const std::vector<std::string> names = catalog.ModelNames(identity.modelId);
        identity.modelName = names.empty() ? identity.modelId : names.front();
    }
    m_ranges.SetModel(m_settings.ProgramDirectory(), identity);
    if (identity.LowerLimit() <= 0 || identity.UpperLimit() <= identity.LowerLimit()) {
        const FreqRangeRec& first = m_ranges.Records().front();
        identity.freqRange = MakeRangeText(first.lower, first.upper);
    }
}

CCodeplugSession::~CCodeplugSession() = default;

void CCodeplugSession::SetIdentity(const CDocumentIdentity& identity)
{
    m_radioData->Identity() = identity;
    m_ranges.SetModel(m_settings.ProgramDirectory(), identity);
    m_settings.RememberModel(identity);
}

void CCodeplugSession::RebuildImage()
{
    if (m_commit)
        m_commit();
    m_radioData->StoreToImage(m_radioData->GetImage());
}

CFileResult CCodeplugSession::PrepareImage()
{
    CFileResult result;
    if (m_commit)
        m_commit();
    // Checked after the commit, so that a value still in an editor is checked too.
    if (m_radioData->CheckAll()) {
        result.message = msg::kInvalidData;
        return result;
    }
    m_radioData->StoreToImage(m_radioData->GetImage());
    result.ok = true;
    return result;
}

std::unique_ptr<CTransferJob> CCodeplugSession::MakeTransferJob(CTransferJob::Direction direction, CRadioLink& link)
{
    const CDocumentIdentity& identity = m_radioData->Identity();
    return std::make_unique<CTransferJob>(direction, link, m_settings, identity, m_ranges.FlagsOf(identity.freqRange),
                                          m_radioData->GetImage());
}

void CCodeplugSession::FinishTransfer(CTransferJob& job, const CTransferResult& result,
                                      const CFreqRangeList::RangeQuestion& ask, const std::function<void()>& beforeLoad)
{
    const bool read = job.GetDirection() == CTransferJob::Direction::Read;
    if (result.ok && read && beforeLoad)
        beforeLoad();
    job.Transfer().Finish(result, *m_radioData, m_ranges, ask);
    // The codeplug read belongs to no file yet: Save asks for a name.
    if (result.ok && read)
        m_currentPath.clear();
    m_settings.RememberModel(m_radioData->Identity());
}

std::filesystem::path CCodeplugSession::DefaultImagePath() const
{
    const CDocumentIdentity& identity = m_radioData->Identity();
    return m_settings.ProgramDirectory() / (identity.modelId + identity.freqRange + kDefaultImageSuffix);
}

bool CCodeplugSession::LoadDefaultImage()
{
    return LoadDefaultImage(LocalTimeNow());
}

bool CCodeplugSession::LoadDefaultImage(const std::tm& localTime)
{
    // An untitled document: the next Save asks for a file name, so no file is
    // ever overwritten with the default codeplug.
    m_currentPath.clear();
    m_radioData->Identity().radioDataVersion = CSettings::kProgramVersion;
    m_ranges.SetModel(m_settings.ProgramDirectory(), m_radioData->Identity());
    m_radioData->Clear();
    m_radioData->Reset();

    Image image{};
    if (!ReadBlocks(DefaultImagePath(), nullptr, image))
        return false;
    WriteTimeStamp(image, localTime);
    m_radioData->GetImage() = image;
    m_radioData->LoadFromImage(m_radioData->GetImage());
    return true;
}

CFileResult CCodeplugSession::Open(const std::filesystem::path& path, bool fromRecentList)
{
    CFileResult result;
    // A file that cannot be opened changes nothing: the open codeplug keeps its file too.
    const auto fail = [&result](int message, std::string argument = {}) {
        result.message = message;
        result.argument = std::move(argument);
        return result;
    };

    // The file is read once; every check below works on these bytes.
    const CFileBytes file = ReadFileBytes(path, datafile::kMaxFileSize);
    if (!file && !fromRecentList) {
        const CReadFailureMessage why = DescribeReadFailure(path.string(), file.failure);
        return fail(why.message, why.argument);
    }
    const std::vector<std::uint8_t>& bytes = file.bytes;
    DataFileHeader header;
    if (!file || !ParseHeader(bytes, header))
        return fail(fromRecentList ? msg::kRecentUnreadable : msg::kCannotRead);
    m_lastHeader = header;

    if (header.ModelId() != m_settings.GetModelText(msg::kAcceptedModelId))
        return fail(msg::kWrongModel);
    // A name or version the header cannot hold whole is damage.
    if (!DataFileHeader::HoldsText(header.ModelName()) || !DataFileHeader::HoldsText(header.RadioDataVersion()))
        return fail(msg::kCannotRead);

    const std::string version = header.ProgramVersion();
    const std::string ours = CSettings::kProgramVersion;
    if (version.empty() || version[0] != ours[0])
        return fail(msg::kOtherMajorVersion, PrintableText(version.substr(0, 4)));
    if (CompareVersions(version, ours) > 0)
        return fail(msg::kNewerVersion, PrintableText(version.substr(0, 4)));

    Image image{};
    if (!ParseBlocks(bytes, nullptr, image))
        return fail(msg::kCannotRead);

    SetIdentity({header.ModelId(), header.ModelName(), MakeRangeText(header.LowerLimit(), header.UpperLimit()),
                 header.Signal(), header.RadioDataVersion()});

    m_currentPath = path;
    m_radioData->GetImage() = image;
    m_radioData->LoadFromImage(m_radioData->GetImage());
    result.ok = true;
    return result;
}

CFileResult CCodeplugSession::Save()
{
    std::error_code ec;
    if (m_currentPath.empty() || !std::filesystem::is_regular_file(m_currentPath, ec)) {
        CFileResult result;
        result.needsSaveAs = true;
        return result;
    }
    return Write(m_currentPath, {});
}

CFileResult CCodeplugSession::SaveAs(const std::filesystem::path& path, const std::string& comment)
{
    return Write(path, comment);
}

CFileResult CCodeplugSession::Write(const std::filesystem::path& path, const std::string& comment)
{
    CFileResult result = PrepareImage();
    if (!result.ok)
        return result;
    result = {};

    const CDocumentIdentity& identity = m_radioData->Identity();
    const DataFileHeader header = FillHeader(identity, m_ranges.FlagsOf(identity.freqRange));
    // A failed save leaves the codeplug's own file as it was, and its name with it.
    if (!m_dataFile.SetHeader(header)) {
        result.message = msg::kCannotWrite;
        return result;
    }
    if (const CSaveResult saved = m_dataFile.WriteFile(path, {}, m_radioData->GetImage(), comment); !saved) {
        const CSaveFailureMessage failure = DescribeSaveFailure(path.string(), saved);
        result.message = failure.message;
        result.argument = failure.argument;
        return result;
    }
    m_currentPath = path;
    result.ok = true;
    return result;
}

} // namespace qrv
