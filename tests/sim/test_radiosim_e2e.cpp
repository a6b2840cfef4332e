// qrv-radiosim as a program: served on a pseudo-terminal, stopped by a
// signal, leaving its memory in a data file.
#include "radio_data/data_file.h"
#include "radiosim_options.h"
#include "radiosim_process.h"
#include "sim_test_support.h"

#include <gtest/gtest.h>

#include <csignal>
#include <filesystem>
#include <fstream>
#include <thread>
#include <unistd.h>

namespace qrv::sim::test {
namespace {

using namespace std::chrono_literals;
namespace fs = std::filesystem;

class RadioSimProgram : public ::testing::Test {
protected:
    void SetUp() override
    {
        dir = fs::temp_directory_path() / ("qrv_radiosim_" + std::to_string(::getpid()) + "_" +
                                           ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(dir);
        fs::create_directories(dir);
    }
    void TearDown() override { fs::remove_all(dir); }

    fs::path dir;
};

TEST_F(RadioSimProgram, ServesTheLineAndSavesItsMemoryOnSigterm)
{
    const fs::path save = dir / "radio.dat";
    const fs::path link = dir / "ttyRADIO";
    const fs::path log = dir / "radio.log";
    CRadioSimProcess sim;
    ASSERT_TRUE(sim.Start({QRV_RADIOSIM_PATH, "--save", save.string(), "--link", link.string(), "--log", log.string(),
                           "--model-name", "QL-210", "--model-id", "QL210", "--range", "136-174"}));
    EXPECT_EQ(fs::read_symlink(link), sim.TerminalPath());

    // The simulator set the line raw: an ETX is not an interrupt, nothing waits for a newline.
    CTerminal line;
    ASSERT_TRUE(line.Open(sim.TerminalPath(), false));
    ASSERT_TRUE(line.Send(Handshake()));
    EXPECT_EQ(line.Receive(6, 2s), Ack('a', 'P', 'a'));
    ASSERT_TRUE(line.Send(ModeFrame(3)));
    EXPECT_EQ(line.Receive(6, 2s), Ack('a', 'M', 'a'));
    const Bytes fieldB{'F', 'I', 'E', 'L', 'D', '-', 'B', '!'};
    ASSERT_TRUE(line.Send(WriteFrame(0x400, fieldB)));
    EXPECT_EQ(line.Receive(6, 2s), Ack('a', 'E', 'a'));

    // A program closing the port and coming back finds the radio still there.
    line.Close();
    std::this_thread::sleep_for(100ms);
    ASSERT_TRUE(line.Open(link.string()));
    ASSERT_TRUE(line.Send(Handshake()));
    EXPECT_EQ(line.Receive(6, 2s), Ack('a', 'P', 'a'));
    line.Close();

    // Idle, it sleeps: well under a tenth of the CPU over half a second.
    std::this_thread::sleep_for(200ms);
    const long before = sim.CpuTicks();
    std::this_thread::sleep_for(500ms);
    EXPECT_LE(sim.CpuTicks() - before, 5);

    EXPECT_EQ(sim.Stop(SIGTERM), 0);
    EXPECT_FALSE(fs::is_symlink(fs::symlink_status(link)));

    qrv::DataFileHeader header;
    ASSERT_TRUE(qrv::ReadHeader(save, header));
    EXPECT_EQ(header.ModelName(), "QL-210");
    EXPECT_EQ(header.ModelId(), "QL210");
    EXPECT_EQ(header.LowerLimit(), 136);
    EXPECT_EQ(header.UpperLimit(), 174);
    qrv::Image image{};
    ASSERT_TRUE(qrv::ReadBlocks(save, nullptr, image));
    EXPECT_EQ(Bytes(image.begin() + 0x400, image.begin() + 0x408), fieldB);
    EXPECT_EQ(image[0x128], 0x87);

    std::ifstream logFile(log);
    std::vector<std::string> lines;
    for (std::string l; std::getline(logFile, l);)
        lines.push_back(l);
    ASSERT_EQ(lines.size(), 9u); // four frames, four replies, the mode it ended in
    EXPECT_NE(lines[0].find("RX 02 50 61 03"), std::string::npos);
    EXPECT_NE(lines[1].find("TX 02 41 61 50 61 03"), std::string::npos);
    EXPECT_EQ(lines[8], "END mode 3");
}

TEST_F(RadioSimProgram, StartsFromAnImageAndPacesRepliesAtLineSpeed)
{
    const fs::path image = dir / "start.dat";
    qrv::Image bytes{};
    bytes.fill(0xFF);
    for (std::size_t i = 0; i < 16; ++i)
        bytes[0x580 + i] = bytes[0x048 + i] = static_cast<std::uint8_t>(0xA0 + i);
    qrv::DataFileHeader header;
    std::copy(header.kMagic.begin(), header.kMagic.end(), header.bytes.begin());
    qrv::CDataFile file;
    ASSERT_TRUE(file.SetHeader(header));
    ASSERT_TRUE(file.WriteFile(image, {}, bytes, "start"));

    CRadioSimProcess sim;
    ASSERT_TRUE(sim.Start({QRV_RADIOSIM_PATH, "--image", image.string(), "--wire-timing", "--serial", "SN-7"}));
    CTerminal line;
    ASSERT_TRUE(line.Open(sim.TerminalPath()));
    using Clock = std::chrono::steady_clock;
    const Clock::time_point start = Clock::now();
    ASSERT_TRUE(line.Send(ReadFrame(0x580, 16)));
    Bytes reply = line.Receive(1, 3s);
    const Clock::time_point first = Clock::now();
    const Bytes rest = line.Receive(26, 3s);
    const Clock::time_point last = Clock::now();
    reply.insert(reply.end(), rest.begin(), rest.end());
    ASSERT_EQ(reply.size(), 27u);
    EXPECT_EQ(Bytes(reply.begin() + 9, reply.begin() + 25), Bytes(bytes.begin() + 0x580, bytes.begin() + 0x590));
    EXPECT_GE(last - start, 42ms); // 37 bytes of 11 bits at 9600 baud
    // The reply trickles in (26 more bytes take 30 ms) rather than arriving at
    // once; the margin allows for a late first read on a busy machine.
    EXPECT_GE(last - first, 15ms);

    // The serial number given replaces the image's.
    ASSERT_TRUE(line.Send(ReadFrame(0x048, 16)));
    const Bytes serial = line.Receive(27, 3s);
    ASSERT_EQ(serial.size(), 27u);
    EXPECT_EQ(Bytes(serial.begin() + 9, serial.begin() + 25), Cat({{'S', 'N', '-', '7'}, Bytes(12, 0)}));
    EXPECT_EQ(sim.Stop(SIGINT), 0);
}

Bytes SerialField(const std::string& text)
{
    Bytes field(text.begin(), text.end());
    field.resize(16, 0);
    return field;
}

// The serial number field as read over the line, or what came instead.
Bytes ReadSerial(CTerminal& line)
{
    if (!line.Send(ReadFrame(0x048, 16)))
        return {};
    const Bytes reply = line.Receive(27, 2s);
    return reply.size() == 27 ? Bytes(reply.begin() + 9, reply.begin() + 25) : reply;
}

// The image a data file holds, or an empty one.
Bytes SavedImage(const fs::path& path)
{
    qrv::Image image{};
    return qrv::ReadBlocks(path, nullptr, image) ? Bytes(image.begin(), image.end()) : Bytes{};
}

TEST_F(RadioSimProgram, ServesRadiosSideBySideAndInTurn)
{
    const fs::path saveA = dir / "a.dat";
    const fs::path saveB = dir / "b.dat";
    const fs::path log = dir / "line.log";
    CRadioSimProcess sim;
    ASSERT_TRUE(sim.Start({QRV_RADIOSIM_PATH, "--serial", "SN-A", "--save", saveA.string(), "--log", log.string(),
                           "--swap-pause", "500", "--wire-timing", "--then", "--serial", "SN-B", "--save",
                           saveB.string(), "--radio", "--serial", "SN-C"},
                          2));
    CTerminal first;
    CTerminal second;
    ASSERT_TRUE(first.Open(sim.Ports()[0]));
    ASSERT_TRUE(second.Open(sim.Ports()[1]));
    EXPECT_EQ(ReadSerial(first), SerialField("SN-A"));
    EXPECT_EQ(ReadSerial(second), SerialField("SN-C"));

    // While a long reply trickles out on one terminal, the other answers at once.
    ASSERT_TRUE(first.Send(ReadFrame(0, 128)));
    ASSERT_EQ(first.Receive(1, 2s).size(), 1u);
    ASSERT_TRUE(second.Send(Handshake()));
    EXPECT_EQ(second.Receive(6, 2s), Ack('a', 'P', 'a'));
    const std::size_t early = first.Receive(138, 20ms).size();
    EXPECT_LT(early, 138u);
    EXPECT_EQ(first.Receive(138 - early, 2s).size(), 138 - early);

    // Back in mode 1 after writing, the radio is unplugged: what follows goes
    // unanswered, before its replies are out and during the swap pause.
    const Bytes fleet{'F', 'L', 'E', 'E', 'T'};
    ASSERT_TRUE(first.Send(Cat({ModeFrame(3), WriteFrame(0x400, fleet), ModeFrame(1), Handshake()})));
    EXPECT_EQ(first.Receive(24, 150ms), Cat({Ack('a', 'M', 'a'), Ack('a', 'E', 'a'), Ack('a', 'M', 'a')}));
    ASSERT_TRUE(first.Send(Handshake()));
    EXPECT_TRUE(first.Receive(6, 100ms).empty());
    const Bytes a = SavedImage(saveA); // saved as it left
    ASSERT_EQ(a.size(), 2048u);
    EXPECT_EQ(Bytes(a.begin() + 0x048, a.begin() + 0x058), SerialField("SN-A"));
    EXPECT_EQ(Bytes(a.begin() + 0x400, a.begin() + 0x405), fleet);

    // Then the next radio answers; once it leaves too, the line stays silent.
    std::this_thread::sleep_for(400ms); // the pause ends some 500 ms after the first radio left
    EXPECT_EQ(ReadSerial(first), SerialField("SN-B"));
    ASSERT_TRUE(first.Send(Cat({ModeFrame(3), ModeFrame(1), Handshake()})));
    EXPECT_EQ(first.Receive(18, 150ms), Cat({Ack('a', 'M', 'a'), Ack('a', 'M', 'a')}));
    // A radio alone on its terminal stays after writing.
    ASSERT_TRUE(second.Send(Cat({ModeFrame(3), ModeFrame(1)})));
    EXPECT_EQ(second.Receive(12, 2s), Cat({Ack('a', 'M', 'a'), Ack('a', 'M', 'a')}));
    EXPECT_EQ(ReadSerial(second), SerialField("SN-C"));
    EXPECT_EQ(sim.Stop(SIGTERM), 0);

    const Bytes b = SavedImage(saveB);
    ASSERT_EQ(b.size(), 2048u);
    EXPECT_EQ(Bytes(b.begin() + 0x048, b.begin() + 0x058), SerialField("SN-B"));
    EXPECT_EQ(b[0x400], 0); // its own memory, not the first radio's
    std::ifstream logFile(log);
    std::string text((std::istreambuf_iterator<char>(logFile)), std::istreambuf_iterator<char>());
    for (const char* line : {" UNPLUG\n", " PLUG SN-B\n", "\nEND mode 1\n"})
        EXPECT_NE(text.find(line), std::string::npos) << line;
}

TEST_F(RadioSimProgram, RefusesBadOptions)
{
    CRadioSimProcess sim;
    EXPECT_FALSE(sim.Start({QRV_RADIOSIM_PATH, "--radio", "--frob"})); // exits without printing a terminal
    EXPECT_EQ(sim.Stop(0), 2);
}

// Per terminal, the serial numbers of its radios ('-': none) and its swap
// pause: "A,B 1000 | C 1000".
std::string Layout(const CRadiosimOptions& options)
{
    std::string out;
    for (const CRadiosimLineOptions& line : options.lines) {
        out += out.empty() ? "" : " | ";
        for (const CRadiosimRadioOptions& radio : line.radios)
            out += (&radio == &line.radios.front() ? "" : ",") + radio.serial.value_or("-");
        out += " " + std::to_string(line.swapPause.count());
    }
    return out;
}

TEST(RadioSimOptions, GiveEachRadioItsOwn)
{
    const std::vector<std::pair<std::vector<std::string>, std::string>> rows{
        {{"--swap-pause", "50", "--serial", "A", "--then", "--radio", "--log", "c.log", "--serial", "SERIAL-NUMBER-16"},
         "A,- 50 | SERIAL-NUMBER-16 1000"},
        {{"--noise", "2"}, "radio 1: bad value for --noise: 2"},
        {{"--radio", "--range", "470-400"}, "radio 2: bad value for --range: 470-400"},
        {{"--bad-checksum-at", "x"}, "radio 1: bad value for --bad-checksum-at: x"},
        {{"--serial", "SERIAL-NUMBER-17C"}, "radio 1: bad value for --serial: SERIAL-NUMBER-17C"},
        {{"--swap-pause", "-1"}, "radio 1: bad value for --swap-pause: -1"},
        {{"--then", "--log", "b.log"}, "radio 2: --log belongs to the terminal: give it to the terminal's first radio"},
        {{"--radio", "--then", "--swap-pause", "5"},
         "radio 3: --swap-pause belongs to the terminal: give it to the terminal's first radio"},
        {{"--frob"}, "radio 1: unknown option: --frob"},
        {{"--radio", "--radio", "--image"}, "radio 3: missing value for --image"},
    };
    for (const auto& [args, expected] : rows) {
        std::string error;
        const std::optional<CRadiosimOptions> options = ParseRadioSimOptions(args, error);
        EXPECT_EQ(options ? Layout(*options) : error, expected);
    }
}

} // namespace
} // namespace qrv::sim::test
