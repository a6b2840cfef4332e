#pragma once
// What every editor works on: the codeplug's data objects, the settings, and
// the road by which a page's change reaches the rest of the program (the main
// window passes it on to every open view).
#include "radio_data/notification.h"
#include "radio_link/transfer.h"

#include <QObject>

#include <functional>
#include <memory>

namespace qrv {

class CRadioData;
class CRadioLink;
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

    // How an editor reaches the radio by itself (the embedded messages): a new
    // link over whatever port the user chose, and the ports to try in order.
    using LinkMaker = std::function<std::unique_ptr<CRadioLink>()>;
    using PortLister = std::function<CPortChoice()>;
    void SetRadioAccess(LinkMaker makeLink, PortLister ports);
    // nullptr when no radio access was given.
    std::unique_ptr<CRadioLink> MakeLink() const;
    CPortChoice Ports() const;

signals:
    void Notified(const qrv::CNotification& notification, QObject* origin);
    // The change has reached every view and its checks have run: the data
    // objects stand as the change left them (undo records here).
    void NotifyDone(const qrv::CNotification& notification);

private:
    CRadioData& m_data;
    CSettings& m_settings;
    LinkMaker m_makeLink;
    PortLister m_ports;
};

} // namespace qrv
