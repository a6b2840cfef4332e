#pragma once
// The test frequency view: the tuning points the factory alignment uses and
// the radio's sixteen test channels. The points reach the radio only at the
// factory levels, so only there can they be edited; the test channel table is
// factory data as well and is shown only there. A typed text is taken when it
// is a frequency: brought into the model's range, and for a test channel put
// on its raster with its step code. Anything else is refused with a message.
#include "editors/common/editor_view.h"
#include "presentation/form_numbers.h"
#include "records/test_frequency_data.h"

#include <array>
#include <cstdint>
#include <optional>

namespace qrv {

class CFreqGrid;

class CViewTestFrequency : public CEditorView {
    Q_OBJECT
public:
    static constexpr int kForm = form::kTestFrequency;
    static constexpr int kChannelGrid = 4010;
    static constexpr int kPointGrid = 4011;
    // "Point;RX ...;TX ...": the column titles are its second and third items.
    static constexpr int kColumnTitles = CTestFrequencyData::kColumnTitlesList;
    // The tuning points the grid shows, one per row.
    static constexpr std::array<int, 3> kShownPoints = {0, 2, 4};

    explicit CViewTestFrequency(CEditorContext& context, QWidget* parent = nullptr);

    void OnNotification(const CNotification& notification, QObject* origin) override;
    void StorePages() override;
    // The texts again from the data object.
    void Reload();

    CFreqGrid* PointGrid() const { return m_points; }
    CFreqGrid* ChannelGrid() const { return m_channels; }

protected:
    void hideEvent(QHideEvent* event) override;

private:
    void PointEntered(int row, int column, const QString& text);
    void ChannelEntered(int row, int column, const QString& text);
    // The typed frequency in 10 Hz units, inside the model's range; nullopt
    // (after the message) for a text that is no frequency.
    std::optional<std::uint32_t> TakeTyped(const QString& text);
    QString PointText(int row, int column) const;
    QString ChannelText(int row, int column) const;

    CFreqGrid* m_points;
    CFreqGrid* m_channels;
    bool m_entering = false;
};

} // namespace qrv
