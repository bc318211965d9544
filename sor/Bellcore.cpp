#include "sor/Bellcore.h"

#include "core/Exception.h"
#include "sor/BlockNames.h"
#include "sor/FileStream.h"

namespace bc {

namespace {
const qint32 kSource = 2;
}

void CBellcore::Stream(CFileStream& stream)
{
    GuardedStep(kSource, 537, [&] { BlockMap.StreamDetectingLayout(stream); });

    bool bHasDataPoints = false;
    bool bHasFixedParameters = false;
    for (CBlockInfo& info : BlockMap.GetBlockInfos()) {
        const std::string& name = info.GetName();
        if (name == GetBlockNameGenParams()) {
            GuardedStep(kSource, 547, [&] { info.StreamSized(stream, GeneralParameters); });
        } else if (name == GetBlockNameSupParams()) {
            GuardedStep(kSource, 549, [&] { info.StreamSized(stream, SupplierParameters); });
        } else if (name == GetBlockNameFxdParams()) {
            GuardedStep(kSource, 551, [&] { info.StreamSized(stream, FixedParameters); });
            bHasFixedParameters = true;
        } else if (name == GetBlockNameKeyEvents()) {
            GuardedStep(kSource, 553, [&] { info.StreamSized(stream, KeyEvents); });
        } else if (name == GetBlockNameDataPts()) {
            GuardedStep(kSource, 557, [&] { info.StreamSized(stream, DataPoints); });
            bHasDataPoints = true;
        } else if (name == GetBlockNameCksum()) {
            // A damaged checksum block costs only the checksum: the trace
            // itself is intact and stays usable.
            try {
                info.StreamSized(stream, CheckSum);
            } catch (EFileLoadInvalidFormat&) {
                stream.AddWarning(CFileStream::LOAD_NO_CRC_BLOCK);
            } catch (Exception& e) {
                e.AddCodes({tErrorCode(kSource, 574)});
                throw;
            }
        } else {
            GuardedStep(kSource, 578, [&] { info.StreamUserBlock(stream); });
        }
    }

    if (stream.IsReading()) {
        // Without these two blocks there is no trace to show or measure.
        if (!bHasDataPoints)
            throw EFileLoadInvalidFormat({tErrorCode(kSource, 540)});
        if (!bHasFixedParameters)
            throw EFileLoadInvalidFormat({tErrorCode(kSource, 541)});
    } else {
        // Only now are all byte counts in the map final.
        CheckSum.WriteFinalValue(stream);
    }
}

void CBellcore::UpdateKeyEventsBlockInfo()
{
    bc::UpdateKeyEventsBlockInfo(BlockMap.GetBlockInfos(), !KeyEvents.GetKeyEventList().empty());
}

} // namespace bc
