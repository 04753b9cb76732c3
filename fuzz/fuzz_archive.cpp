// libFuzzer target: editor snapshots and clipboard data (the object archive of the buttons
// and the selection) read from arbitrary bytes. A damaged archive must be refused with an
// ArchiveError and leave nothing behind; a readable one must write back and read again.
#include <cstddef>
#include <cstdint>
#include <vector>

#include "platform/archive/archive.h"
#include "widget/model/applet_parameters.h"

using namespace snippo;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::vector<std::uint8_t> bytes(data, data + size);
    CAppletParameters params;
    try {
        CArchive in(bytes);
        params.Serialize(in);
    } catch (const ArchiveError&) {
        return 0;
    }
    std::vector<std::uint8_t> again;
    {
        CArchive out(again, CArchive::store);
        params.Serialize(out);
    }
    CAppletParameters copy;
    CArchive in(again);
    copy.Serialize(in);  // what was written must read back without error
    return 0;
}
