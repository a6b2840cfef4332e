#pragma once
// The setup of every test that works on a whole codeplug: a program
// directory with the shipped resources and a cleared, reset codeplug on its
// settings.
#include "radio_data/radio_data.h"
#include "radio_data/settings.h"
#include "test_support.h"

namespace qrv::test {

class CResetCodeplug {
public:
    CResetCodeplug() : data(program.Settings())
    {
        data.Clear();
        data.Reset();
    }
    CSettings& Settings() { return program.Settings(); }
    // The image the codeplug's objects store now.
    Image Stored()
    {
        Image image{};
        data.StoreToImage(image);
        return image;
    }

    CProgramDir program;
    CRadioData data;
};

} // namespace qrv::test
