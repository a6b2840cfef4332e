#include "records/mode_data.h"

#include <algorithm>

namespace qrv {

void CModeData::LoadFromImage(const Image& image)
{
    std::copy_n(image.begin() + kImageOffset, kBlockSize, m_block.begin());
}

void CModeData::StoreToImage(Image& image) const
{
    std::copy(m_block.begin(), m_block.end(), image.begin() + kImageOffset);
}

void CModeData::SetCloneMode(bool on)
{
    SetFlag(kCloneMask, on);
    if (!on)
        SetFlag(kFactoryCloneMask, false);
}

bool CModeData::SetFactoryCloneMode(bool on)
{
    if (on && !CloneMode())
        return false;
    SetFlag(kFactoryCloneMask, on);
    return true;
}

void CModeEditRecord::Fill(const CModeData& data)
{
    panelTest = data.PanelTestMode();
    clone = data.CloneMode();
    factoryClone = clone && data.FactoryCloneMode();
}

void CModeEditRecord::Take(CModeData& data) const
{
    data.SetPanelTestMode(panelTest);
    data.SetCloneMode(clone);
    data.SetFactoryCloneMode(clone && factoryClone);
}

} // namespace qrv
