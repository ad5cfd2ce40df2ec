#include "core/platform/StatusSink.h"

namespace ondrel {
namespace {

class MessageBoxSink : public IStatusSink {
public:
    void Report(const Status& status) override { ShowStatus(status); }
};

}  // namespace

IStatusSink& MessageBoxStatuses() {
    static MessageBoxSink sink;
    return sink;
}

}  // namespace ondrel
