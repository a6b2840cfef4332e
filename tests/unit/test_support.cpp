#include "test_support.h"

#include <fstream>
#include <iterator>
#include <random>

namespace qrv::test {

CTempDir::CTempDir()
{
    std::random_device rd;
    m_path = std::filesystem::temp_directory_path() / ("qrv-test-" + std::to_string(rd()) + std::to_string(rd()));
    std::filesystem::create_directories(m_path);
}

CTempDir::~CTempDir()
{
    std::error_code ec;
    std::filesystem::remove_all(m_path, ec);
}

std::filesystem::path ResourceDir()
{
    return QRV_RESOURCE_DIR;
}

void WriteText(const std::filesystem::path& path, const std::string& text)
{
    std::ofstream out(path, std::ios::binary);
    out << text;
}

std::string ReadText(const std::filesystem::path& path)
{
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

std::vector<std::uint8_t> ReadBytes(const std::filesystem::path& path)
{
    const std::string text = ReadText(path);
    return {text.begin(), text.end()};
}

void WriteBytes(const std::filesystem::path& path, const std::vector<std::uint8_t>& bytes)
{
    WriteText(path, std::string(bytes.begin(), bytes.end()));
}

void CopyResources(const std::filesystem::path& dir)
{
    for (const auto& entry : std::filesystem::directory_iterator(ResourceDir())) {
        const auto ext = entry.path().extension();
        if (ext == ".lng" || ext == ".dat" || ext == ".ini")
            std::filesystem::copy_file(entry.path(), dir / entry.path().filename(),
                                       std::filesystem::copy_options::overwrite_existing);
    }
}

CProgramDir::CProgramDir(bool withResources)
{
    if (withResources)
        CopyResources(m_dir.Path());
    Reopen();
}

CSettings& CProgramDir::Reopen()
{
    m_settings.reset();
    m_settings = std::make_unique<CSettings>(m_dir.Path());
    m_settings->SetReadOnly(true);
    m_settings->SelectLanguage(0);
    return *m_settings;
}

} // namespace qrv::test
