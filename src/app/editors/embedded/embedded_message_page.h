#pragma once
// The page of the embedded messages: the four message edits and the buttons
// that fetch the block from the radio or send it, or a new password, there.
// The password and the field after it are not shown; storing the page keeps
// them as they are.
#include "editors/common/editor_page.h"
#include "presentation/caption_numbers.h"
#include "presentation/form_numbers.h"

#include <array>
#include <cstddef>

class QLineEdit;
class QPushButton;

namespace qrv {

class CEmbeddedMessagePage : public CEditorPage {
    Q_OBJECT
public:
    static constexpr int kPage = form::kEmbedded;
    static constexpr int kReadButton = caption::kReadFromRadio;
    static constexpr int kWriteButton = 4710;
    static constexpr int kChangePasswordButton = 4711;
    static constexpr int kMessageCount = 4;

    explicit CEmbeddedMessagePage(CEditorContext& context, QWidget* parent = nullptr);

    // message: 0 to 3.
    QLineEdit* MessageEdit(std::size_t message) const { return m_edits.at(message); }
    QPushButton* ReadButton() const { return m_read; }
    QPushButton* WriteButton() const { return m_write; }
    QPushButton* ChangePasswordButton() const { return m_changePassword; }

signals:
    void ReadRequested();
    void WriteRequested();
    void ChangePasswordRequested();

protected:
    void LoadControls() override;
    void StoreControls() override;

private:
    std::array<QLineEdit*, kMessageCount> m_edits{};
    QPushButton* m_read = nullptr;
    QPushButton* m_write = nullptr;
    QPushButton* m_changePassword = nullptr;
};

} // namespace qrv
