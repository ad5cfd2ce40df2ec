#pragma once
// The small window that shows the simulated time during a run and lets the user stop it.

namespace ondrel {

class CTarvekDoc;

class IRunWindow {
public:
    virtual ~IRunWindow() = default;
    // Called once at the start of a run's interval loop. Returns false when the window could
    // not be opened; the run then goes on without one.
    virtual bool Open(CTarvekDoc& doc) = 0;
    // Called once per output interval: show the document's current time and dispatch the
    // window's pending input (a click or Esc sets the document's stop flag). lastInterval is
    // true for the final call, which must always repaint.
    virtual void Pump(CTarvekDoc& doc, bool lastInterval) = 0;
    // True when Pump may show or read the samples recorded so far: every sample is then in
    // the blocks' histories before each call. A window that shows only the time says false
    // and lets the engine hand samples over in batches.
    virtual bool ShowsSamples() const { return true; }
    // Called once at the end of the run.
    virtual void Close(CTarvekDoc& doc) = 0;
};

}  // namespace ondrel
