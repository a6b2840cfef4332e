#pragma once
// What every editor works on: the codeplug's data objects, the settings, and
// the road by which a page's change reaches the rest of the program (the main
// window passes it on to every open view).
#include "radio_data/notification.h"

#include <QObject>

namespace qrv {

class CRadioData;
class CSettings;

class CEditorContext : public QObject {
    Q_OBJECT
public:
    CEditorContext(CRadioData& data, CSettings& settings, QObject* parent = nullptr);

    CRadioData& Data() const { return m_data; }
    CSettings& Settings() const { return m_settings; }

    // A change was stored: tell every open view, then run the data checks
    // that follow it (they fill the invalid log).
    void Notify(const CNotification& notification, QObject* origin);

signals:
    void Notified(const qrv::CNotification& notification, QObject* origin);

private:
    CRadioData& m_data;
    CSettings& m_settings;
};

} // namespace qrv
