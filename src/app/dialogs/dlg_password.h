#pragma once
// The radio password: typed before the embedded messages are written, and
// changed (old, new, confirmation) before it is written to the radio. Every
// field takes only what the radio can store (at most 8 printable ASCII
// characters) and says so: its tool tip names the rule, and a refused key,
// paste or drop is answered by a message.
#include <QDialog>

#include <optional>
#include <string>

class QLineEdit;

namespace qrv {

class CSettings;

class CDlgInputPassword : public QDialog {
    Q_OBJECT
public:
    static constexpr int kForm = 141;

    explicit CDlgInputPassword(const CSettings& settings, QWidget* parent = nullptr);
    std::string Typed() const;
    QLineEdit* Edit() const { return m_edit; }

private:
    QLineEdit* m_edit = nullptr;
};

// Asks for the password; nullopt when the user cancels.
std::optional<std::string> AskRadioPassword(const CSettings& settings, QWidget* parent);

class CDlgChangePassword : public QDialog {
    Q_OBJECT
public:
    static constexpr int kForm = 4721;

    CDlgChangePassword(const CSettings& settings, std::string current, QWidget* parent = nullptr);
    // What OK does: closes with OK only when the old password is right and
    // the new one was typed twice alike.
    void Confirm();
    std::string NewPassword() const;
    QLineEdit* OldEdit() const { return m_old; }
    QLineEdit* NewEdit() const { return m_new; }
    QLineEdit* ConfirmEdit() const { return m_confirm; }

private:
    const CSettings& m_settings;
    std::string m_current;
    QLineEdit* m_old = nullptr;
    QLineEdit* m_new = nullptr;
    QLineEdit* m_confirm = nullptr;
};

} // namespace qrv
