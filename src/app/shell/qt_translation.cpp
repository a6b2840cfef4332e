#include "shell/qt_translation.h"

#include <QCoreApplication>
#include <QLibraryInfo>

#include <array>

namespace qrv {

namespace {

// The Qt locale of each language file: English, Simplified Chinese.
constexpr std::array<const char*, 2> kQtLocales{"", "zh_CN"};
constexpr std::array<const char*, 2> kCatalogues{"qtbase", "qtserialport"};

} // namespace

void CQtTranslation::Select(int languageIndex)
{
    m_translators.clear();
    if (languageIndex <= 0 || languageIndex >= static_cast<int>(kQtLocales.size()))
        return;
    const QString folder = QLibraryInfo::path(QLibraryInfo::TranslationsPath);
    for (const char* catalogue : kCatalogues) {
        auto translator = std::make_unique<QTranslator>();
        const QString name = QStringLiteral("%1_%2").arg(
            QLatin1String(catalogue), QLatin1String(kQtLocales[static_cast<std::size_t>(languageIndex)]));
        // A missing catalogue leaves Qt's English: the program's own texts are whole without it.
        if (translator->load(name, folder) && QCoreApplication::installTranslator(translator.get()))
            m_translators.push_back(std::move(translator));
    }
}

} // namespace qrv
