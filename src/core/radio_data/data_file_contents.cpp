#include "radio_data/data_file_contents.h"

#include "radio_data/messages.h"
#include "util/text_format.h"

namespace qrv {

CDataFileContents ReadDataFile(const std::filesystem::path& path)
{
    CDataFileContents out;
    const CFileBytes file = ReadFileBytes(path, datafile::kMaxFileSize);
    if (!file) {
        out.failure = DescribeReadFailure(path.string(), file.failure);
        return out;
    }
    if (!ParseHeader(file.bytes, out.header) || !ParseBlocks(file.bytes, nullptr, out.image)) {
        out.failure = {msg::kReadDamaged, PrintableText(path.string())};
        return out;
    }
    ParseComment(file.bytes, out.comment);
    return out;
}

} // namespace qrv
