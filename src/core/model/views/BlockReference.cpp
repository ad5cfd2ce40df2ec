#include "core/model/views/BlockReference.h"

#include "core/io/CArchive.h"
#include "core/model/CTarvekDoc.h"

namespace ondrel {

CBlock* FindLastBlockAt(const CTarvekDoc& doc, GridPoint position) { return doc.LastBlockAt(position); }

void SerializeBlockReference(CArchive& ar, const CTarvekDoc& doc, BlockReference& ref) {
    if (ar.IsStoring()) {
        const GridPoint p = ref.StoredPosition();
        ar.WriteInt32(p.x);
        ar.WriteInt32(p.y);
        return;
    }
    GridPoint p;
    p.x = ar.ReadInt32();
    p.y = ar.ReadInt32();
    if (ar.Failed()) {
        ref.Clear();
        return;
    }
    ref.block = FindLastBlockAt(doc, p);
    ref.unresolvedPosition = ref.block ? kNoConnection : p;
}

}  // namespace ondrel
