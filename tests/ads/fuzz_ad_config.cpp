// libFuzzer target for the advertising configuration reader: any bytes, in
// either mode, must neither crash nor give lists that disagree, longer than
// the cap, or holding anything but web addresses. tools/fuzz.sh runs it.

#include "UAdConfig.h"

#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char *>(data), qsizetype(size));
    const bool isBrowser = size % 2 == 0;
    const TAdConfig config = ReadAdConfig(bytes, isBrowser);
    if (config.Urls.size() > kMaxAdCount || (!isBrowser && config.Titles.size() != config.Urls.size())
        || (isBrowser && !config.Titles.isEmpty()))
        std::abort();
    for (const QString &url : config.Urls)
        if (!IsWebAddress(url))
            std::abort();
    return 0;
}
