#pragma once
// What every editor works on: the codeplug's data objects, the settings, and
// the road by which a page's change reaches the rest of the program (the main
// window passes it on to every open view).
#include "radio_data/notification.h"
#include "radio_link/codeplug_transfer.h"

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

    // Changes made between Begin and End are one step for undo (a paste of many rows).
    void BeginBatch() { ++m_batch; }
    void EndBatch();
    bool InBatch() const { return m_batch > 0; }

signals:
    void Notified(const qrv::CNotification& notification, QObject* origin);
    // The change has reached every view and its checks have run: the data
    // objects stand as the change left them (undo records here).
    void NotifyDone(const qrv::CNotification& notification);
    // The last batch ended.
    void BatchDone();

private:
    CRadioData& m_data;
    CSettings& m_settings;
    int m_batch = 0;
    LinkMaker m_makeLink;
    PortLister m_ports;
};

// A batch for the length of a scope.
class CChangeBatch {
public:
    explicit CChangeBatch(CEditorContext& context) : m_context(context) { m_context.BeginBatch(); }
    ~CChangeBatch() { m_context.EndBatch(); }
    CChangeBatch(const CChangeBatch&) = delete;
    CChangeBatch& operator=(const CChangeBatch&) = delete;

private:
    CEditorContext& m_context;
};

} // namespace qrv
