#pragma once
// A main window over a program directory with the shipped data, at a user
// level, language and range, with the default codeplug loaded; message boxes
// are answered by the test and recorded.
#include "radio_data/radio_data.h"
#include "radio_data/settings.h"
#include "shell/main_frame.h"
#include "shell/message_box.h"
#include "test_support.h"

#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace qrv::test {

struct CFrameFixture {
    CProgramDir program;
    std::unique_ptr<CMainFrame> frame;
    CRadioData* data = nullptr;
    std::vector<int> messages;
    QMessageBox::StandardButton answer = QMessageBox::Yes;

    // prepare runs on the program directory before the window is made.
    explicit CFrameFixture(int userLevel = 0, int language = 0, const std::string& range = "400-470",
                           const std::function<void(const std::filesystem::path&)>& prepare = {})
    {
        WriteText(program.Path() / "Settings.ini", "[Setting]\nModelName=QL-210\nModelID=QL210\nFreqRange=" + range +
                                                       "\n[User Mode]\nLevel=" + std::to_string(userLevel) + "\n");
        if (prepare)
            prepare(program.Path());
        CSettings& settings = program.Reopen();
        settings.SelectLanguage(language);
        SetMessageBoxHandler([this](int number, const QString&) {
            messages.push_back(number);
            return answer;
        });
        frame = std::make_unique<CMainFrame>(settings);
        data = &frame->Session().Data();
        frame->FileNew(true);
    }
    ~CFrameFixture()
    {
        frame.reset();
        SetMessageBoxHandler(nullptr);
    }

    CSettings& Settings() { return program.Settings(); }
    // The image as a save or a write would produce it now.
    Image Stored()
    {
        Image image{};
        data->StoreToImage(image);
        return image;
    }
};

} // namespace qrv::test
