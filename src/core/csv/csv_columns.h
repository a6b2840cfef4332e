#pragma once
// The two column sets of a channel list file: their header, the row of a
// channel, and the reading of a row into a channel that can be taken.
#include "csv/csv_values.h"
#include "radio_data/list_spec.h"
#include "radio_data/settings.h"
#include "records/channel_data.h"

#include <optional>
#include <string>
#include <vector>

namespace qrv {

class CRadioData;

class CChannelColumns {
public:
    virtual ~CChannelColumns() = default;
    // The headers import accepts; export writes the first.
    virtual std::vector<std::vector<std::string>> Headers() const = 0;
    // A header is usable when it names the receive frequency.
    virtual bool Usable(const CColumnMap& map) const = 0;
    // position is 0-based; channel is a copy the fill rule may repair.
    virtual std::vector<std::string> Row(CChannelData& channel, std::size_t position) const = 0;
    virtual std::optional<CRowError> Read(const CCsvRow& row, const CColumnMap& map, CImportedChannel& out) const = 0;
};

class CNativeColumns : public CChannelColumns {
public:
    // The value lists are expanded once for a whole import: the current
    // language's entries first, then those of every shipped language, so that
    // a file written in one language reads in another.
    CNativeColumns(const CRadioData& data, const CSettings& settings)
        : m_data(data), m_settings(settings), m_rxTypes(AnyLanguageLines(settings, CChannelData::kRxTypeList)),
          m_txTypes(AnyLanguageLines(settings, CChannelData::kTxTypeList)),
          m_spacings(AnyLanguageLines(settings, CChannelData::kSpacingList)),
          m_powers(AnyLanguageLines(settings, CChannelData::kPowerList))
    {
    }
    std::vector<std::vector<std::string>> Headers() const override;
    bool Usable(const CColumnMap& map) const override;
    std::vector<std::string> Row(CChannelData& channel, std::size_t position) const override;
    std::optional<CRowError> Read(const CCsvRow& row, const CColumnMap& map, CImportedChannel& out) const override;

private:
    // The entry's text, or its code as "0x" and one hex digit when the list
    // does not name it, so that any code the record holds reads back.
    std::string CodeText(int list, std::uint8_t entry) const;
    std::optional<CRowError> ReadSide(const CCsvRow& row, const CColumnMap& map, bool receive,
                                      CChannelEditRecord& edit) const;

    const CRadioData& m_data;
    const CSettings& m_settings;
    std::vector<CComboLine> m_rxTypes, m_txTypes, m_spacings, m_powers;
};

class CCommonColumns : public CChannelColumns {
public:
    CCommonColumns(const CSettings& settings, const CBand& band)
        : m_settings(settings), m_band(band), m_spacings(settings.FillCombo(CChannelData::kSpacingList)),
          m_powers(settings.FillCombo(CChannelData::kPowerList))
    {
    }
    std::vector<std::vector<std::string>> Headers() const override;
    bool Usable(const CColumnMap& map) const override;
    std::vector<std::string> Row(CChannelData& channel, std::size_t position) const override;
    std::optional<CRowError> Read(const CCsvRow& row, const CColumnMap& map, CImportedChannel& out) const override;

private:
    std::optional<CRowError> ReadFrequencies(const CCsvRow& row, const CColumnMap& map, CChannelEditRecord& edit) const;
    std::optional<CRowError> ReadTones(const CCsvRow& row, const CColumnMap& map, CChannelEditRecord& edit) const;
    std::optional<CRowError> ReadMode(const CCsvRow& row, const CColumnMap& map, CChannelEditRecord& edit) const;

    const CSettings& m_settings;
    CBand m_band;
    std::vector<CComboLine> m_spacings, m_powers; // the value lists, expanded once
};

} // namespace qrv
