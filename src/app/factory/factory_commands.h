#pragma once
// The Program menu's Base Band, Factory Mode and Write Tune Data commands.
// Base Band and Write Tune Data put the radio into mode 3, which needs the
// radio's range to be the settings' one; whatever happens afterwards, the
// radio is sent mode 1 and the port is closed before the command returns.
// Factory Mode runs the factory model dialog, which connects by itself, and
// then gives the settings what the user chose to take over.
namespace qrv {

class CDlgFactoryModel;
struct CFactoryContext;

class CFactoryCommands {
public:
    explicit CFactoryCommands(CFactoryContext& context);

    void BaseBand();      // command::kBaseBand
    void FactoryMode();   // command::kFactoryMode
    void WriteTuneData(); // command::kWriteTuneData

private:
    void TakeFactoryModel(const CDlgFactoryModel& dialog);

    CFactoryContext& m_context;
};

} // namespace qrv
