#pragma once
// A throw-away program directory for the transfer benchmarks: the shipped
// language files only, read-only English settings over it, removed at the end.
#include "radio_data/settings.h"

#include <filesystem>
#include <memory>

namespace qrv::bench {

class CBenchProgramDir {
public:
    explicit CBenchProgramDir(const char* name) : m_dir(std::filesystem::temp_directory_path() / name)
    {
        std::filesystem::create_directories(m_dir);
        for (const auto& entry : std::filesystem::directory_iterator(QRV_BENCH_RESOURCES))
            if (entry.path().extension() == ".lng")
                std::filesystem::copy_file(entry.path(), m_dir / entry.path().filename(),
                                           std::filesystem::copy_options::overwrite_existing);
        m_settings = std::make_unique<CSettings>(m_dir);
        m_settings->SetReadOnly(true);
        m_settings->SelectLanguage(0);
    }
    ~CBenchProgramDir()
    {
        m_settings.reset();
        std::error_code ec;
        std::filesystem::remove_all(m_dir, ec);
    }
    CBenchProgramDir(const CBenchProgramDir&) = delete;
    CBenchProgramDir& operator=(const CBenchProgramDir&) = delete;

    CSettings& Settings() { return *m_settings; }

private:
    std::filesystem::path m_dir;
    std::unique_ptr<CSettings> m_settings;
};

} // namespace qrv::bench
