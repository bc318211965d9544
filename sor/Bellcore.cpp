#include "sor/Bellcore.h"

#include "core/Exception.h"
#include "sor/BlockNames.h"
#include "sor/FileStream.h"
#include "sor/BlockStep.h"

namespace bc {

void CBellcore::Stream(CFileStream& stream)
{
    BlockStep(537, [&] { BlockMap.StreamDetectingLayout(stream); });

    bool bHasDataPoints = false;
    bool bHasFixedParameters = false;
    for (CBlockInfo& info : BlockMap.GetBlockInfos()) {
        const std::string& name = info.GetName();
        if (name == GetBlockNameGenParams()) {
            BlockStep(547, [&] { info.StreamSized(stream, GeneralParameters); });
        } else if (name == GetBlockNameSupParams()) {
            BlockStep(549, [&] { info.StreamSized(stream, SupplierParameters); });
        } else if (name == GetBlockNameFxdParams()) {
            BlockStep(551, [&] { info.StreamSized(stream, FixedParameters); });
            bHasFixedParameters = true;
        } else if (name == GetBlockNameKeyEvents()) {
            BlockStep(553, [&] { info.StreamSized(stream, KeyEvents); });
        } else if (name == GetBlockNameDataPts()) {
            BlockStep(557, [&] { info.StreamSized(stream, DataPoints); });
            bHasDataPoints = true;
        } else if (name == GetBlockNameCksum()) {
            // A damaged checksum block costs only the checksum: the trace
            // itself is intact and stays usable.
            try {
                info.StreamSizedAnyCount(stream, CheckSum);
            } catch (EFileLoadInvalidFormat&) {
                stream.AddWarning(CFileStream::LOAD_NO_CRC_BLOCK);
            } catch (Exception& e) {
                e.AddCodes({tErrorCode(kBlockSource, 574)});
                throw;
            }
        } else {
            BlockStep(578, [&] { info.StreamUserBlock(stream); });
        }
    }

    if (stream.IsReading()) {
        // Without these two blocks there is no trace to show or measure.
        if (!bHasDataPoints)
            throw EFileLoadInvalidFormat({tErrorCode(kBlockSource, 540)});
        if (!bHasFixedParameters)
            throw EFileLoadInvalidFormat({tErrorCode(kBlockSource, 541)});
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
