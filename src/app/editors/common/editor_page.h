#pragma once
// An editor page: it works on a page-side copy of its record, stores the whole
// page into the data object after every change a user makes, sends the change
// notification and runs the data checks, and reloads on the notifications
// that concern it. Loading never counts as a user's change.
#include "radio_data/notification.h"

#include <QWidget>

class QAbstractButton;
class QComboBox;
class QLineEdit;
class QSpinBox;

namespace qrv {

class CEditorContext;
class CRadioData;
class CSettings;

class CEditorPage : public QWidget {
    Q_OBJECT
public:
    // pageNumber: the language file's number of the page (caption, help topic).
    CEditorPage(CEditorContext& context, int pageNumber, QWidget* parent = nullptr);

    int PageNumber() const { return m_pageNumber; }
    // Controls from the bound record, without reporting a change.
    void Load();
    // The controls into the bound record.
    void Store();
    // A change made elsewhere: reload when it concerns this page.
    virtual void OnNotification(const CNotification& notification);

protected:
    virtual void LoadControls() = 0;
    virtual void StoreControls() = 0;
    // By default a page reloads when an item was added or deleted anywhere.
    virtual bool ReloadsOn(const CNotification& notification) const;

    // A user changed a control: store the page, tell the program, run the checks.
    void UserChanged(int controlNumber, CNotification::Kind kind = CNotification::Kind::Edited);
    // Reports the user's changes of a control by its control number.
    void Watch(QComboBox* combo);
    void Watch(QAbstractButton* button);
    void Watch(QLineEdit* edit);
    void Watch(QSpinBox* spin);

    // Texts, value lists and ranges of the page's numbered controls.
    void Localize();
    void ShowPageMessage(int messageNumber);
    bool IsLoading() const { return m_loading; }

    CEditorContext& Context() const { return m_context; }
    CRadioData& Data() const;
    CSettings& Settings() const;

private:
    CEditorContext& m_context;
    int m_pageNumber;
    bool m_loading = false;
};

} // namespace qrv
