#pragma once
// Whether applying an edit routes the connectors it affects, as a user's change does, or
// leaves the route records alone: undo and redo put back the records the first routing gave,
// so they must not route (nor show "Line Error") again.

namespace ondrel {

enum class EditRouting { Reroute, KeepRecords };

}  // namespace ondrel
