// libFuzzer target for the settings record: any bytes are decoded as a current NAME.SWJ and
// converted as one of the earlier version. Beyond the sanitizers' checks it aborts when an encoded
// record is not kSettingsSize bytes or when decoding what was encoded does not give it back.
#include "storage/settingsrecord.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>

namespace {

void CheckStable(const storage::SettingsRecord& record)
{
    const QByteArray bytes = storage::EncodeSettings(record);
    if (bytes.size() != storage::kSettingsSize)
        std::abort();
    storage::SettingsRecord again;
    if (!storage::DecodeSettings(bytes, again) || storage::EncodeSettings(again) != bytes)
        std::abort();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const QByteArrayView bytes(reinterpret_cast<const char*>(data), qsizetype(size));
    storage::IsEarlierVersion(bytes);
    storage::SettingsRecord current;
    if (storage::DecodeSettings(bytes, current))
        CheckStable(current);
    storage::SettingsRecord converted;
    if (storage::ConvertEarlierRecord(bytes, converted))
        CheckStable(converted);
    const QString line = QString::fromLatin1(bytes.first(std::min<qsizetype>(bytes.size(), 200)));
    if (line.contains(QLatin1Char(' ')) && storage::ConvertEarlierCommandLine(line).size() > 60)
        std::abort();
    return 0;
}
