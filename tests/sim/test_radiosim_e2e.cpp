// qrv-radiosim as a program on real pseudo-terminals: its options, the pace
// of the wire, radios served side by side and in turn, and their memory left
// in data files.
#include "radio_data/data_file.h"
#include "radiosim_options.h"
#include "radiosim_process.h"
#include "record_test_support.h"
#include "sim_test_support.h"

#include <gtest/gtest.h>

#include <csignal>
#include <filesystem>
#include <thread>

namespace qrv::sim::test {
namespace {

using namespace std::chrono_literals;
namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;

Bytes SerialField(const std::string& text)
{
    return qrv::test::Padded(qrv::test::Text(text), 16, 0);
}

// The data of a block read over the line, or what came instead.
Bytes ReadBlock(CTerminal& line, std::uint32_t address, std::size_t length)
{
    if (!line.Send(ReadFrame(address, static_cast<unsigned>(length))))
        return {};
    const Bytes reply = line.Receive(length + 11, 2s);
    return reply.size() == length + 11 ? Bytes(reply.begin() + 9, reply.end() - 2) : reply;
}

// The image a data file holds.
qrv::Image SavedImage(const fs::path& path)
{
    qrv::Image image{};
    EXPECT_TRUE(qrv::ReadBlocks(path, nullptr, image)) << path;
    return image;
}

// Radios A, then B, on one terminal, radio C on another: each with its own
// options, the first one's all given, C's serial number as long as the field.
TEST(RadioSimProgram, ServesRadiosSideBySideAndInTurn)
{
    const qrv::test::CTempDir dir;
    const qrv::Image start = qrv::test::FilledImage(0x5A); // no memory a radio is born with
    qrv::DataFileHeader header;
    std::copy(header.kMagic.begin(), header.kMagic.end(), header.bytes.begin());
    qrv::CDataFile file;
    ASSERT_TRUE(file.SetHeader(header));
    ASSERT_TRUE(file.WriteFile(dir / "start.dat", {}, start, "start"));
    const fs::path link = dir / "ttyRADIO";
    // clang-format off
    CRadioSimProcess sim({"--image", (dir / "start.dat").string(), "--serial", "SN-A", "--model-name", "QL-230",
                          "--model-id", "QL230", "--range", "136-174", "--save", (dir / "a.dat").string(),
                          "--link", link.string(), "--log", (dir / "line.log").string(), "--swap-pause", "500",
                          "--wire-timing", "--then", "--serial", "SN-B", "--save", (dir / "b.dat").string(),
                          "--radio", "--serial", "SERIAL-NUMBER-16"}, 2);
    // clang-format on
    ASSERT_EQ(sim.Ports().size(), 2u);
    EXPECT_EQ(fs::read_symlink(link), sim.Ports()[0]);
    // The simulator set the line raw: an ETX is not an interrupt, nothing waits for a newline.
    CTerminal first;
    CTerminal second;
    ASSERT_TRUE(first.Open(sim.Ports()[0], false));
    ASSERT_TRUE(second.Open(sim.Ports()[1]));

    // A's long reply trickles out at line speed; meanwhile C answers at once.
    const Clock::time_point sent = Clock::now();
    ASSERT_TRUE(first.Send(ReadFrame(0x048, 512)));
    const Bytes head = first.Receive(1, 2s);
    const Clock::time_point firstByte = Clock::now();
    ASSERT_TRUE(second.Send(Handshake()));
    EXPECT_EQ(second.Receive(6, 2s), Ack('a', 'P', 'a'));
    const Bytes early = first.Receive(522, 20ms);
    EXPECT_LT(early.size(), 522u);
    const Bytes reply = Cat({head, early, first.Receive(522 - early.size(), 3s)});
    const Clock::time_point last = Clock::now();
    ASSERT_EQ(reply.size(), 523u);
    // The serial number given over the image's, then the image.
    EXPECT_EQ(Bytes(reply.begin() + 9, reply.end() - 2), Cat({SerialField("SN-A"), Bytes(496, 0x5A)}));
    EXPECT_GE(last - sent, 610ms); // 533 bytes of 11 bits at 9600 baud
    // The rest trickles in (522 bytes take 598 ms) rather than at once; the
    // margin allows for a late first read on a busy machine.
    EXPECT_GE(last - firstByte, 450ms);
    EXPECT_EQ(ReadBlock(second, 0x048, 16), SerialField("SERIAL-NUMBER-16"));

    // A program closing the port and coming back finds the radio still there.
    first.Close();
    std::this_thread::sleep_for(100ms);
    ASSERT_TRUE(first.Open(link.string()));
    ASSERT_TRUE(first.Send(Handshake()));
    EXPECT_EQ(first.Receive(6, 2s), Ack('a', 'P', 'a'));

    // Back in mode 1 after writing, A is unplugged: what follows goes
    // unanswered, before its replies are out and during the swap pause.
    const Bytes fleet{'F', 'L', 'E', 'E', 'T'};
    ASSERT_TRUE(first.Send(Cat({ModeFrame(3), WriteFrame(0x400, fleet), ModeFrame(1), Handshake()})));
    EXPECT_EQ(first.Receive(18, 2s), Cat({Ack('a', 'M', 'a'), Ack('a', 'E', 'a'), Ack('a', 'M', 'a')}));
    EXPECT_TRUE(first.Receive(6, 100ms).empty());
    ASSERT_TRUE(first.Send(Handshake()));
    EXPECT_TRUE(first.Receive(6, 100ms).empty());
    // Saved as it left, its identity in the header.
    ASSERT_TRUE(qrv::ReadHeader(dir / "a.dat", header));
    EXPECT_EQ(std::tuple(header.ModelName(), header.ModelId(), header.LowerLimit(), header.UpperLimit()),
              std::tuple("QL-230", "QL230", 136, 174));
    const qrv::Image expected =
        qrv::test::Overlaid(qrv::test::Overlaid(start, 0x400, fleet), 0x048, SerialField("SN-A"));
    EXPECT_TRUE(qrv::test::SameImage(SavedImage(dir / "a.dat"), expected));

    // Then B answers; once it leaves too, the line stays silent.
    std::this_thread::sleep_for(400ms); // the pause ends some 500 ms after A left
    EXPECT_EQ(ReadBlock(first, 0x048, 16), SerialField("SN-B"));
    ASSERT_TRUE(first.Send(Cat({ModeFrame(3), ModeFrame(1), Handshake()})));
    EXPECT_EQ(first.Receive(12, 2s), Cat({Ack('a', 'M', 'a'), Ack('a', 'M', 'a')}));
    EXPECT_TRUE(first.Receive(6, 100ms).empty());
    // A radio alone on its terminal stays after writing.
    ASSERT_TRUE(second.Send(Cat({ModeFrame(3), ModeFrame(1)})));
    EXPECT_EQ(second.Receive(12, 2s), Cat({Ack('a', 'M', 'a'), Ack('a', 'M', 'a')}));
    EXPECT_EQ(ReadBlock(second, 0x048, 16), SerialField("SERIAL-NUMBER-16"));

    EXPECT_EQ(sim.Stop(SIGTERM), 0);
    EXPECT_FALSE(fs::is_symlink(fs::symlink_status(link)));
    const qrv::Image b = SavedImage(dir / "b.dat");
    EXPECT_EQ(qrv::test::Slice(b, 0x048, 16), SerialField("SN-B"));
    EXPECT_EQ(b[0x400], 0); // its own memory, not A's
    // Each frame and reply on a line of its own, the swap, and the mode it ended in.
    const std::string log = qrv::test::ReadText(dir / "line.log");
    for (const char* entry :
         {" RX 02 50 61 03\n", " TX 02 41 61 50 61 03\n", " UNPLUG\n", " PLUG SN-B\n", "\nEND mode 1\n"})
        EXPECT_NE(log.find(entry), std::string::npos) << entry;
}

// What the program's options take is seen above; what they refuse, and why,
// here. Refused, the program prints no terminal and exits with 2.
TEST(RadioSimOptions, RefuseWhatTheyCannotTake)
{
    CRadioSimProcess sim({"--radio", "--frob"});
    EXPECT_FALSE(sim.Started());
    EXPECT_EQ(sim.Stop(0), 2);
    const std::vector<std::pair<std::vector<std::string>, std::string>> rows{
        {{"--noise", "2"}, "radio 1: bad value for --noise: 2"},
        {{"--radio", "--range", "470-400"}, "radio 2: bad value for --range: 470-400"},
        {{"--bad-checksum-at", "x"}, "radio 1: bad value for --bad-checksum-at: x"},
        {{"--serial", "SERIAL-NUMBER-17C"}, "radio 1: bad value for --serial: SERIAL-NUMBER-17C"},
        {{"--swap-pause", "-1"}, "radio 1: bad value for --swap-pause: -1"},
        {{"--radio", "--then", "--swap-pause", "5"},
         "radio 3: --swap-pause belongs to the terminal: give it to the terminal's first radio"},
        {{"--frob"}, "radio 1: unknown option: --frob"},
        {{"--radio", "--radio", "--image"}, "radio 3: missing value for --image"},
    };
    for (const auto& [args, expected] : rows) {
        std::string error;
        EXPECT_FALSE(ParseRadioSimOptions(args, error)) << expected;
        EXPECT_EQ(error, expected);
    }
}

} // namespace
} // namespace qrv::sim::test
