#pragma once
// Qt's own texts (standard buttons, the file, print and message dialogs) in
// the program's language, from the Qt translation files of the system.
#include <QTranslator>

#include <memory>
#include <vector>

namespace qrv {

class CQtTranslation {
public:
    // Installs the catalogues of the language (index of the language files)
    // in place of the ones before; English needs none.
    void Select(int languageIndex);

private:
    // Uninstalled from the application as they are destroyed.
    std::vector<std::unique_ptr<QTranslator>> m_translators;
};

} // namespace qrv
