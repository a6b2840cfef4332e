#pragma once
// The language dialog: picks an entry of the language list.
#include <QDialog>

class QComboBox;

namespace qrv {

class CSettings;

class CDlgLanguage : public QDialog {
    Q_OBJECT
public:
    static constexpr int kForm = 1037;
    static constexpr int kLanguageLabel = 1038;
    static constexpr int kLanguageList = 1039;

    // Starts on the settings' current language.
    CDlgLanguage(const CSettings& settings, QWidget* parent = nullptr);

    // The chosen language index; after OK it differs from the current one.
    int LanguageIndex() const { return m_languageIndex; }
    QComboBox* LanguageList() const { return m_languages; }

    // What OK does: ends with OK when another language is chosen, else as if cancelled.
    void Confirm();

private:
    int m_languageIndex = 0;
    QComboBox* m_languages = nullptr;
};

} // namespace qrv
