#pragma once
// What the document, and the windows that read it, see of the run under way: whether it is
// still going, the simulated time it has reached, and a way for the user to stop it. The run
// driver registers its run with the document for as long as the run lasts.

namespace ondrel {

class CTarvekDoc;

class IRunControl {
public:
    // False once a stop was requested, even while the run is still winding up.
    virtual bool Running() const = 0;
    virtual double Time() const = 0;
    // The user's stop (a click or Esc in the run window, Terminate Run, a signal).
    virtual void RequestUserStop() = 0;

protected:
    ~IRunControl() = default;
};

}  // namespace ondrel
