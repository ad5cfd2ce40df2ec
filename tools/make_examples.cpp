// Builds the example charts through the core API and saves them, run, with their views.
//   make_examples OUTPUT_FOLDER
#include <cmath>
#include <cstdio>
#include <filesystem>
#include <functional>
#include <string>

#include "core/engine/RunDriver.h"
#include "core/blocks/BlockTypeIds.h"
#include "core/blocks/ClockBlock.h"
#include "core/blocks/FunctionGenerator.h"
#include "core/model/CTarvekDoc.h"
#include "core/file/ChartFile.h"
#include "core/model/views/ChartViewState.h"
#include "core/model/views/GraphViewState.h"
#include "core/model/views/ListViewState.h"
#include "core/model/views/StateOnlyViewHost.h"
#include "core/platform/Platform.h"

namespace {

using namespace ondrel;

// Prints every message: an example must build and run without one.
class CountingMessageBox : public IMessageBox {
public:
    MsgResult Show(const std::string& text, const std::string& caption, MsgButtons, MsgIcon) override {
        std::fprintf(stderr, "%s: %s\n", caption.c_str(), text.c_str());
        ++count;
        return MsgResult::Ok;
    }
    int count = 0;
};

// A chart under construction: places blocks, wires them, adds views.
class Builder {
public:
    Builder() {
        doc.OnNewDocument();
        host.OpenChartView(doc);
    }

    // Column x, row y counted downward from the top row 0 (stored as row -y).
    CBlock* Add(int typeId, int x, int y, const std::string& label, std::initializer_list<double> params = {}) {
        doc.PlaceBlock(doc.CreateBlock(typeId), x, -y);
        CBlock* block = doc.blockList.back().get();
        block->label = label;
        int k = 1;
        for (double p : params) block->param[k++] = p;
        return block;
    }
    void Wire(CBlock* target, int k, CBlock* source) { doc.ConnectInput(target, k, source); }
    void Timing(double errorLimit, double interval, double end) {
        CBlock* clock = doc.Clock();
        clock->param[1] = errorLimit;
        clock->param[2] = interval;
        clock->param[3] = end;
    }
    void Graph(std::initializer_list<CBlock*> curves, const std::string& title) {
        GraphViewState* graph = host.OpenGraphView(doc);
        graph->CompleteDefaults(doc);
        int k = 1;
        for (CBlock* block : curves) {
            graph->axisSlots[k].block = BlockReference(block);
            ++k;
        }
        graph->curveCount = static_cast<int>(curves.size());
        graph->title = title;
    }
    void List(std::initializer_list<CBlock*> columns, const std::string& title) {
        ListViewState* list = host.OpenListView(doc);
        list->displayedBlocks.clear();
        for (CBlock* block : columns) list->displayedBlocks.push_back(BlockReference(block));
        list->title = title;
    }

    CTarvekDoc doc;
    StateOnlyViewHost host;
};

void HarmonicOscillator(Builder& b) {
    b.doc.title = "Harmonic oscillator";
    b.Timing(1e-8, 0.05, 12.566370614359172);  // two periods at omega = 1
    CBlock* velocity = b.Add(kTypeIntegrate, 2, 1, "Velocity", {1.0, 0.0});
    CBlock* position = b.Add(kTypeIntegrate, 4, 1, "Position", {1.0, 1.0});
    CBlock* spring = b.Add(kTypeGain, 3, 3, "Spring", {-1.0});
    b.Wire(position, 1, velocity);
    b.Wire(spring, 1, position);
    b.Wire(velocity, 1, spring);
    position->notes = "x'' = -x from x = 1: the position is cos t, the velocity -sin t.";
    b.Graph({position, velocity}, "Position and velocity");
}

void DampedSpring(Builder& b) {
    b.doc.title = "Damped spring";
    b.Timing(1e-7, 0.1, 20.0);
    CBlock* force = b.Add(kTypeSum, 1, 1, "Force", {-4.0, -0.4, 1.0});
    CBlock* velocity = b.Add(kTypeIntegrate, 3, 1, "Velocity", {1.0, 0.0});
    CBlock* position = b.Add(kTypeIntegrate, 5, 1, "Position", {1.0, 2.0});
    b.Wire(velocity, 1, force);
    b.Wire(position, 1, velocity);
    b.Wire(force, 1, position);
    b.Wire(force, 2, velocity);
    force->notes = "m x'' = -k x - c x' with m = 1, k = 4, c = 0.4, released from x = 2.";
    b.Graph({position, velocity}, "Damped spring");
    b.List({b.doc.Clock(), position, velocity}, "Damped spring samples");
}

void VanDerPol(Builder& b) {
    b.doc.title = "Van der Pol oscillator";
    b.Timing(1e-7, 0.05, 30.0);
    CBlock* one = b.Add(kTypeConstant, 1, 1, "One", {1.0});
    CBlock* square = b.Add(kTypeMultiply, 1, 3, "Square");
    CBlock* damping = b.Add(kTypeSum, 2, 2, "Damping", {1.0, -1.0, 1.0});
    CBlock* product = b.Add(kTypeMultiply, 3, 2, "Mu(1-x2)v", {1.5, 1.0, 1.0});
    CBlock* accel = b.Add(kTypeSum, 4, 2, "Accel", {1.0, -1.0, 1.0});
    CBlock* velocity = b.Add(kTypeIntegrate, 5, 2, "v", {1.0, 0.0});
    CBlock* position = b.Add(kTypeIntegrate, 6, 2, "x", {1.0, 0.5});
    b.Wire(square, 1, position);
    b.Wire(square, 2, position);
    b.Wire(damping, 1, one);
    b.Wire(damping, 2, square);
    b.Wire(product, 1, damping);
    b.Wire(product, 2, velocity);
    b.Wire(accel, 1, product);
    b.Wire(accel, 2, position);
    b.Wire(velocity, 1, accel);
    b.Wire(position, 1, velocity);
    accel->notes = "x'' = mu (1 - x^2) x' - x with mu = 1.5 settles on its limit cycle.";
    b.Graph({position, velocity}, "Van der Pol");
}

void BouncingBall(Builder& b) {
    b.doc.title = "Bouncing ball";
    b.Timing(1e-6, 0.01, 20.0);
    b.doc.maxSteps = 500.0;  // every touch-down is a kink the step control has to find
    CBlock* gravity = b.Add(kTypeConstant, 1, 1, "Gravity", {-9.81});
    CBlock* free = b.Add(kTypeConstant, 1, 5, "Free", {0.0});
    CBlock* squash = b.Add(kTypeMultiply, 1, 3, "Squash");
    CBlock* contact = b.Add(kTypeSum, 2, 3, "Contact", {-2000.0, 600.0, 1.0});
    CBlock* floor = b.Add(kTypeRelay, 3, 3, "Floor", {0.0});
    CBlock* accel = b.Add(kTypeSum, 4, 1, "Accel", {1.0, 1.0, 1.0});
    CBlock* velocity = b.Add(kTypeIntegrate, 5, 1, "Velocity", {1.0, 0.0});
    CBlock* height = b.Add(kTypeIntegrate, 6, 1, "Height", {1.0, 1.0});
    CBlock* shown = b.Add(kTypeLimiter, 7, 1, "Ball", {1.0, 10.0, 0.0});
    CBlock* kinetic = b.Add(kTypeMultiply, 6, 4, "Kinetic", {0.5, 1.0, 1.0});
    CBlock* sunk = b.Add(kTypePositiveClip, 5, 5, "Sunk");
    CBlock* stored = b.Add(kTypeMultiply, 6, 5, "Stored", {1000.0, 1.0, 1.0});
    CBlock* energy = b.Add(kTypeSum, 7, 4, "Energy", {1.0, 9.81, 1.0});
    CBlock* quit = b.Add(kTypeQuit, 8, 4, "Settled", {1.0, 0.05});
    // In flight the floor exerts nothing. Below it a stiff spring pushes back, damped in
    // proportion to how deep the ball has sunk, so the force grows from zero at the surface
    // and every bounce loses a little energy.
    b.Wire(squash, 1, height);
    b.Wire(squash, 2, velocity);
    b.Wire(contact, 1, height);
    b.Wire(contact, 2, squash);
    b.Wire(floor, 1, free);
    b.Wire(floor, 2, contact);
    b.Wire(floor, 3, height);
    b.Wire(accel, 1, gravity);
    b.Wire(accel, 2, floor);
    b.Wire(velocity, 1, accel);
    b.Wire(height, 1, velocity);
    b.Wire(shown, 1, height);
    b.Wire(kinetic, 1, velocity);
    b.Wire(kinetic, 2, velocity);
    b.Wire(energy, 1, kinetic);
    b.Wire(energy, 2, height);
    b.Wire(sunk, 1, height);
    b.Wire(stored, 1, sunk);
    b.Wire(stored, 2, sunk);
    b.Wire(energy, 3, stored);  // the floor's spring holds energy too while it is squashed
    b.Wire(quit, 1, energy);
    quit->notes = "Ends the run once the ball's energy per unit mass falls below 0.05.";
    b.Graph({shown, velocity}, "Bouncing ball");
}

void FunctionLookup(Builder& b) {
    b.doc.title = "Function Generator lookup";
    b.Timing(1e-7, 0.05, 4.0);
    CBlock* table = b.Add(kTypeFunctionGenerator, 2, 1, "Valve curve", {1.0, 4.0, 0.0});
    auto* generator = static_cast<CFunctionGeneratorBlock*>(table);
    generator->SetOrdinates({0.0, 0.05, 0.2, 0.5, 0.8, 0.95, 1.0, 1.0, 1.0});
    CBlock* flow = b.Add(kTypeGain, 4, 1, "Flow", {12.0});
    b.Wire(table, 1, b.doc.Clock());
    b.Wire(flow, 1, table);
    table->notes = "A tabulated valve opening over 0..4 s, read through a natural cubic spline.";
    b.Graph({table, flow}, "Valve opening and flow");
}

// A walk that integrates random steps held for 0.1 s each: the step source (type and its
// three parameters, the seed last) is what tells one walk from another.
void HeldRandomWalk(Builder& b, const char* title, double end, int stepType,
                    std::initializer_list<double> stepParameters, const char* notes) {
    b.doc.title = title;
    b.Timing(1e-3, 0.1, end);
    CBlock* step = b.Add(stepType, 1, 1, "Step", stepParameters);
    CBlock* hold = b.Add(kTypeZeroOrderHold, 3, 1, "Hold", {0.0, 0.0, 0.5});
    CBlock* pulse = b.Add(kTypeTimePulseGenerator, 1, 3, "Tick", {0.1, 1.0, 0.0});
    CBlock* walk = b.Add(kTypeIntegrate, 5, 1, "Walk", {1.0, 0.0});
    b.Wire(hold, 1, step);
    b.Wire(hold, 2, pulse);
    b.Wire(walk, 1, hold);
    step->notes = notes;
    b.Graph({walk, hold}, title);
}

void RandomWalk(Builder& b) {
    HeldRandomWalk(b, "Random walk", 50.0, kTypeRandom, {-1.0, 1.0, 7.0},
                   "Seed 7: every run draws the same steps.");
}

// Brownian motion drawn from a seeded Gaussian: one run is one sample path, and a sweep over
// the seed (examples/sweeps/monte_carlo.sh) gives the spread of where the walk ends.
void MonteCarloWalk(Builder& b) {
    HeldRandomWalk(b, "Monte-Carlo walk", 10.0, kTypeGaussian, {0.0, 1.0, 2.0},
                   "Seed 2 (parameter 3, 2..32767): each seed draws its own path, every run of it the same.");
}

struct Example {
    const char* file;
    std::function<void(Builder&)> build;
};

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: make_examples OUTPUT_FOLDER\n");
        return 1;
    }
    CountingMessageBox box;
    MemoryProfile profile;
    ScopedPlatform platform(PlatformServices{&box, &profile, nullptr, nullptr, nullptr, nullptr});
    const Example examples[] = {
        {"harmonic_oscillator.cht", HarmonicOscillator}, {"damped_spring.cht", DampedSpring},
        {"van_der_pol.cht", VanDerPol},                   {"bouncing_ball.cht", BouncingBall},
        {"function_lookup.cht", FunctionLookup},          {"random_walk.cht", RandomWalk},
        {"monte_carlo.cht", MonteCarloWalk},
    };
    for (const Example& example : examples) {
        Builder b;
        example.build(b);
        RunChart(b.doc);
        std::string path = (std::filesystem::path(argv[1]) / example.file).string();
        if (!SaveChartFile(path, b.doc, b.host)) return 2;
        std::printf("%s: %zu samples\n", path.c_str(), b.doc.Clock()->history.size());
    }
    return box.count == 0 ? 0 : 3;
}
