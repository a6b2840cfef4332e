#pragma once
// What the factory function tests share: a factory context over the editor
// fixture whose links reach its simulated radio without the line pauses,
// a count of the ports left open and the modes the program asked the radio for.
#include "factory/factory_context.h"
#include "frame_fixture.h"

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
        link->SetTiming(FastTiming());
        return link;
    }

    sim::CSimRadio& Radio() { return f.Radio(); }

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

} // namespace qrv::test
