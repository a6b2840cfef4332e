#pragma once
// What the factory function tests share: a factory context over the editor
// fixture whose links reach its simulated radio without the line pauses,
// a count of the ports left open, the modes the program asked the radio for,
// and a driver for the modal dialog a command opens.
#include "editor_fixture.h"
#include "factory/factory_context.h"
#include "radio_link/radio_link.h"
#include "sim_byte_port.h"

#include <QApplication>
#include <QDialog>
#include <QTimer>

#include <functional>
#include <memory>
#include <string>
#include <utility>
#include <vector>

namespace qrv::test {

// A simulated port that keeps count of how many ports of its fixture are open.
class CWatchedSimPort : public sim::CSimBytePort {
public:
    CWatchedSimPort(sim::CSimRadio& radio, std::shared_ptr<int> openPorts)
        : CSimBytePort(radio), m_openPorts(std::move(openPorts))
    {
    }
    bool Open(const std::string& name) override
    {
        const bool opened = CSimBytePort::Open(name);
        *m_openPorts += opened ? 1 : 0;
        return opened;
    }
    bool Close() override
    {
        *m_openPorts -= IsOpen() ? 1 : 0;
        return CSimBytePort::Close();
    }

private:
    std::shared_ptr<int> m_openPorts;
};

struct CFactoryFixture {
    CEditorFixture f;
    std::shared_ptr<int> openPorts = std::make_shared<int>(0);
    int modelChanges = 0;
    CFactoryContext context;

    explicit CFactoryFixture(int userLevel = CSettings::kFactoryLevel, const std::string& range = "400-470")
        : f(userLevel, range), context{f.Settings(), *f.data,
                                       f.Ranges(),   [this] { return MakeLink(); },
                                       &SimPort,     [this] { ++modelChanges; },
                                       nullptr}
    {
        f.Radio();
    }

    static CPortChoice SimPort() { return {"sim", {}}; }
    std::unique_ptr<CRadioLink> MakeLink()
    {
        auto link = std::make_unique<CRadioLink>(std::make_unique<CWatchedSimPort>(f.Radio(), openPorts));
        CLinkTiming quick;
        quick.exchangePause = quick.writePause = quick.handshakePause = quick.openPause = {};
        quick.readTimeoutMs = 40;
        link->SetTiming(quick);
        return link;
    }

    sim::CSimRadio& Radio() { return f.Radio(); }
    CSettings& Settings() { return f.Settings(); }

    // The modes the program asked for, in order, answered or not; the
    // repeats of an unanswered request count once.
    std::vector<int> ModesSent()
    {
        std::vector<int> modes;
        for (const auto& frame : Radio().ReceivedFrames()) {
            if (frame.size() != 6 || frame[1] != 'M' || frame[2] != 'a')
                continue;
            const int mode = frame[3] | (frame[4] << 8);
            if (modes.empty() || modes.back() != mode)
                modes.push_back(mode);
        }
        return modes;
    }

    // The radio's memory bytes [first, first + count).
    std::vector<std::uint8_t> Memory(std::uint32_t first, std::size_t count)
    {
        const auto& memory = Radio().Memory();
        return {memory.begin() + first, memory.begin() + first + count};
    }
};

// Runs `drive` on the first modal dialog of type T that opens while it lives,
// then closes that dialog if `drive` left it open.
template <class T> class CModalDriver {
public:
    explicit CModalDriver(std::function<void(T&)> drive) : m_drive(std::move(drive))
    {
        m_timer.setInterval(5);
        QObject::connect(&m_timer, &QTimer::timeout, [this] {
            auto* dialog = qobject_cast<T*>(QApplication::activeModalWidget());
            if (dialog == nullptr)
                return;
            m_timer.stop();
            m_seen = true;
            m_drive(*dialog);
            if (dialog->isVisible())
                dialog->reject();
        });
        m_timer.start();
    }
    bool Seen() const { return m_seen; }

private:
    std::function<void(T&)> m_drive;
    QTimer m_timer;
    bool m_seen = false;
};

} // namespace qrv::test
