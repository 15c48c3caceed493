// Any bytes: the reader either gives a packet or a DatasetError, never a crash or a hang. What it
// gives, the writer writes so that it reads back to the same columns, parameters and rows.
#include "data/dataerror.h"
#include "data/datapacket.h"

#include <cstdio>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char *>(data), qsizetype(size));
    DataPacket packet;
    try {
        packet = DataPacket::parse(bytes);
    } catch (const DataError &) {
        return 0;
    }
    const QByteArray written = packet.toXml();
    try {
        const DataPacket again = DataPacket::parse(written);
        if (!(again.columns == packet.columns) || again.params != packet.params ||
            again.rows != packet.rows) {
            std::fprintf(stderr, "round trip changed the packet:\n%s\n", written.constData());
            std::abort();
        }
    } catch (const DataError &e) {
        std::fprintf(stderr, "written packet does not load: %s\n%s\n", e.what(), written.constData());
        std::abort();
    }
    return 0;
}
