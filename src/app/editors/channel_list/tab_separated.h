#pragma once
// Cells as the clipboard carries them between grids and spreadsheets: one
// line per row, a tab between cells.
#include <QList>
#include <QStringList>

namespace qrv {

// Every line ends with a line break.
QString JoinTabSeparated(const QList<QStringList>& rows);
// Either line break; a last empty line (the usual trailing break) is no row.
QList<QStringList> SplitTabSeparated(const QString& text);

} // namespace qrv
