#pragma once
// What the factory functions (adjustment, base band, factory mode, write tune
// data) work with: the settings and the codeplug, the frequency range list,
// a new radio link over the port the user chose, the ports to try, and what
// the main window must do when entering a radio mode changed the model.
#include "radio_link/codeplug_transfer.h"

#include <functional>
#include <memory>

class QWidget;

namespace qrv {

class CFreqRangeList;
class CRadioData;
class CRadioLink;
class CSettings;

struct CFactoryContext {
    CSettings& settings;
    CRadioData& data;
    CFreqRangeList& ranges;
    std::function<std::unique_ptr<CRadioLink>()> makeLink;
    std::function<CPortChoice()> ports;
    // The radio's model or range became the settings' one: rebuild tree, menus, status bar.
    std::function<void()> modelChanged;
    QWidget* parent = nullptr;
};

} // namespace qrv
