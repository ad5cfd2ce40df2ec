#pragma once
// The help viewer, addressed by numeric help contexts.

namespace ondrel {

class IHelp {
public:
    virtual ~IHelp() = default;
    virtual void ShowHelp(int context) = 0;
};

}  // namespace ondrel
