#include "gui/help/BlockHelpPages.h"

#include <QStringList>
#include <map>

#include "core/blocks/BlockCatalogue.h"
#include "core/blocks/BlockTypeIds.h"
#include "gui/help/HelpPages.h"
#include "core/platform/NumberFormat.h"
#include "core/platform/StringTable.h"

namespace ondrel::gui {
namespace {

// gk below is input k times parameter k, the scaled input.
struct BlockHelpText {
    const char* formula;
    std::array<const char*, 3> units;  // of the parameters; null: a plain number
    const char* example;
};

constexpr const char* kSeconds = "seconds";
constexpr const char* kHertz = "hertz";
constexpr const char* kRadians = "radians";

const std::map<int, BlockHelpText>& HelpTable() {
    static const std::map<int, BlockHelpText> kTable{
        {kTypeMultiply, {"out = product of ink &times; pk over the connected inputs (1 with none).", {}, "Inputs 2 and 3 with gains 1 and 1: out = 6.<br>A signal times a gain of -1 flips its sign."}},
        {kTypeDivide, {"out = g1 / g2; a zero denominator stops the run with \"Divide by zero\".", {}, "Numerator 1, Denominator 4: out = 0.25.<br>Use it for ratios such as speed = distance / time."}},
        {kTypePower, {"out = |g1|<sup>g2</sup>, negated when g1 &lt; 0.", {}, "Base 2, Exponent 3: out = 8.<br>Base -2, Exponent 2: out = -4."}},
        {kTypeSquareRoot, {"out = &radic;|g1|, negated when g1 &lt; 0.", {}, "Input 9: out = 3.<br>Input -9: out = -3."}},
        {kTypeSum, {"out = g1 + g2 + g3 over the connected inputs.", {}, "Inputs 1 and 2 with gains 1 and -1: out = -1 (a difference).<br>Three forces added into one."}},
        {kTypeNegate, {"out = -g1.", {}, "Input 2.5: out = -2.5.<br>Feeds a negative feedback loop."}},
        {kTypeGain, {"out = g1 = Gain &times; Input.", {}, "Gain 0.5, Input 4: out = 2.<br>A spring constant k times a displacement."}},
        {kTypeIntegrate, {"out(0) = Initial Value; d out / dt = Gain &times; Input.", {}, "Input 1, Gain 2, Initial Value 0: out = 2 t.<br>Acceleration integrated into velocity."}},
        {kTypeDelay, {"out = Input at t - Delay (interpolated between recorded samples); the Initial Value before the Delay has passed.", {nullptr, kSeconds, nullptr}, "Delay 0.5: a sine wave shifted half a second later.<br>A transport lag in a pipe."}},
        {kTypeDecay, {"out approaches the Asymptote A exponentially: out = last + (A - last)(1 - e<sup>-&Delta;t/|R|</sup>), R the Approach Rate.", {nullptr, kSeconds, nullptr}, "Asymptote 1, Approach Rate 1, Initial Value 0: out rises towards 1.<br>A cooling body approaching room temperature."}},
        {kTypeSine, {"out = sin(g1).", {}, "Input &pi;/2: out = 1.<br>The Clock through a Sine: a wave of period 2&pi; seconds."}},
        {kTypeCosine, {"out = cos(g1).", {}, "Input 0: out = 1.<br>The horizontal part of a rotating vector."}},
        {kTypeArcTangent, {"out = atan2(g1, Y) with Y input 2 (1 when not connected), from -&pi; to &pi;.", {}, "Inputs 1 and 1: out = 0.785 (&pi;/4).<br>The angle of a vector from its components."}},
        {kTypeLogE, {"out = ln|g1|, negated when g1 &lt; 0; 0 for 0.", {}, "Input e: out = 1.<br>Input 1: out = 0."}},
        {kTypeLog10, {"out = log<sub>10</sub>|g1|, negated when g1 &lt; 0; 0 for 0.", {}, "Input 100: out = 2.<br>Input 0.1: out = -1."}},
        {kTypeExponent, {"out = e<sup>g1</sup>.", {}, "Input 1: out = 2.718.<br>Input -t: a decaying exponential."}},
        {kTypeDecibel, {"out = 10 log<sub>10</sub>(g1<sup>2</sup>) = 20 log<sub>10</sub>|g1|; 0 for 0.", {}, "Input 10: out = 20.<br>An amplitude ratio in decibels."}},
        {kTypeAnd, {"out = 1 when every connected input is true (&gt; 0), else 0.", {}, "Inputs 1 and 1: out = 1.<br>Inputs 1 and 0: out = 0."}},
        {kTypeExclusiveOr, {"out = 1 when exactly one input is true (&gt; 0), else 0.", {}, "Inputs 1 and 0: out = 1.<br>Inputs 1 and 1: out = 0."}},
        {kTypeInclusiveOr, {"out = 1 when any input is true (&gt; 0), else 0.", {}, "Inputs 0 and 1: out = 1.<br>Inputs 0 and 0: out = 0."}},
        {kTypeQuit, {"The run stops when g1 falls below the Limit (input 2, else parameter 2).", {}, "Input the Clock, Gain -1, Limit -2.214: the run stops at t = 2.214.<br>Stop when a tank runs empty."}},
        {kTypeRelay, {"out = On when Switch &gt; Test, else Off (inputs not scaled).", {}, "Switch 1, Test 0.5: out = On.<br>A thermostat choosing heating or not."}},
        {kTypeZeroOrderHold, {"While Switch &gt; Limit the output tracks Sample; otherwise it holds the last value (Current Hold).", {}, "Switch from a Time Pulse Generator: a sampled signal.<br>A sample-and-hold converter."}},
        {kTypeGaussian, {"out = Mean + Std. Dev. &times; z, z a normally distributed random number; 0 while Switch &lt; 0.", {}, "Mean 0, Std. Dev. 1: noise around 0.<br>Measurement noise added to a signal."}},
        {kTypeJitter, {"out = 1 at random instants, the time between two pulses lying between Minimum Time and Maximum Time; 0 otherwise.", {kSeconds, kSeconds, nullptr}, "Maximum 2, Minimum 1: a pulse every 1 to 2 seconds.<br>Random arrivals in a queue."}},
        {kTypeRandom, {"out = Lower Limit + (Upper Limit - Lower Limit) &times; r, r uniform in [0, 1]; 0 while Switch &lt; 0.", {}, "Limits 0 and 1: uniform noise between 0 and 1.<br>Limits -1 and 1: noise around 0."}},
        {kTypeSineWaveGenerator, {"out = sin(phase), the phase advancing by 2&pi; &times; Frequency per second once the Delay has passed and while Switch &gt; 0 (or unconnected).", {kHertz, kRadians, kSeconds}, "Frequency 1, Phase Angle 0, Delay 0: one cycle per second.<br>Frequency 0.5, Delay 2: a slow wave that starts after 2 seconds."}},
        {kTypeTimePulseGenerator, {"out = Magnitude for one step every Period seconds once the Delay has passed, else 0.", {kSeconds, nullptr, kSeconds}, "Period 1, Magnitude 1: a pulse every second.<br>The clock of a sample-and-hold."}},
        {kTypeOneShot, {"A rising Trigger starts one pulse of the given Height and Width after the Delay.", {kSeconds, nullptr, kSeconds}, "Delay 0, Height 1, Width 0.5: a half-second pulse on each trigger.<br>A timer started by an event."}},
        {kTypeAbsolute, {"out = |in1| &times; p1.", {}, "Input -3: out = 3.<br>A rectifier."}},
        {kTypeBackLash, {"The output stays put while the input moves within the Backlash band around it, then follows the input.", {}, "Backlash 0.2: play of 0.2 in a gear train.<br>Hysteresis in a mechanical link."}},
        {kTypeBang, {"out = 1 when g1 &gt; 0, -1 when g1 &lt; 0, 0 for 0.", {}, "Input -0.1: out = -1.<br>The direction of a velocity."}},
        {kTypeDeadSpace, {"out = Dead Zone Value inside [Lower Bound, Upper Bound], and the Dead Zone Value plus the distance beyond a bound outside it.", {}, "Bounds -1 and 1, Input 3: out = 2.<br>Play in a valve."}},
        {kTypeFunctionGenerator, {"out = the tabulated curve at the Abscissa, interpolated by a natural cubic spline between Lower and Upper bound; Extrapolation chooses what happens beyond them.", {}, "A table of 0, 1, 4, 9 over 0 to 3: out = x<sup>2</sup>.<br>A measured characteristic of a pump."}},
        {kTypeInteger, {"out = g1 truncated toward zero.", {}, "Input 2.7: out = 2.<br>Input -2.7: out = -2."}},
        {kTypeLimiter, {"out = g1 clamped to [Minimum, Maximum] (no limit when Minimum &ge; Maximum).", {}, "Maximum 1, Minimum -1, Input 3: out = 1.<br>A saturating amplifier."}},
        {kTypeModulo, {"out = remainder of g1 / Divisor with the sign of g1; 0 for a zero Divisor.", {}, "Input 7, Divisor 3: out = 1.<br>An angle wrapped into one turn."}},
        {kTypeNegativeClip, {"out = g1 when g1 &gt; 0, else 0.", {}, "Input -2: out = 0.<br>A diode passing positive values."}},
        {kTypeOffset, {"out = in1 + Offset.", {}, "Offset 273.15: degrees Celsius to kelvin.<br>A bias added to a sensor."}},
        {kTypePositiveClip, {"out = g1 when g1 &lt; 0, else 0.", {}, "Input 2: out = 0.<br>Only the negative half of a wave."}},
        {kTypeConstant, {"out = Value, set once when the run starts.", {}, "Value 9.81: the acceleration of gravity.<br>A set point for a controller."}},
        {kTypePi, {"out = p1 &times; &pi;, set once when the run starts.", {}, "Parameter 1: out = 3.14159.<br>Parameter 2: out = 2&pi;."}},
        {kTypeClock, {"out = the simulated time t. Its parameters time the run: the integrator's error limit, the output interval and the simulation time.", {nullptr, kSeconds, kSeconds}, "Output Interval 0.1, Simulation Time 20: 201 samples.<br>Feed it to a Sine for a wave of time."}},
    };
    return kTable;
}

QString ModeText(BlockKind kind) {
    switch (kind) {
        case BlockKind::State: return QStringLiteral("State: advanced by the integrator in every step.");
        case BlockKind::Fixed: return QStringLiteral("Fixed: computed once at initialisation.");
        case BlockKind::AlwaysComputed: return QStringLiteral("Computed in every step, whether or not another block uses it.");
        default: return QStringLiteral("Computed in every step, after the blocks that feed it (once at initialisation when nothing it depends on changes).");
    }
}

QString Caption(const char* label, const char* base, int k) {
    return label != nullptr ? QString::fromLatin1(label) : QStringLiteral("%1 %2").arg(QLatin1String(base)).arg(k);
}

QString Rows(const CatalogueEntry& entry, const BlockHelpText* text) {
    QStringList rows;
    for (int k = 1; k <= entry.inputCount; ++k) {
        const bool required = k <= entry.requiredInputs;
        rows << QStringLiteral("<tr><td>Input %1</td><td>%2</td><td>%3</td></tr>")
                    .arg(k).arg(Caption(entry.inputLabels[k - 1], "Input", k),
                                required ? QStringLiteral("must be connected") : QStringLiteral("optional"));
    }
    for (int k = 1; k <= entry.paramCount; ++k) {
        const char* unit = text != nullptr ? text->units[k - 1] : nullptr;
        rows << QStringLiteral("<tr><td>Parameter %1</td><td>%2</td><td>default %3%4</td></tr>")
                    .arg(k).arg(Caption(entry.paramLabels[k - 1], "Gain", k),
                                QString::fromStdString(FormatSignificant(entry.paramDefaults[k - 1], 6)),
                                unit != nullptr ? QStringLiteral(" ") + QLatin1String(unit) : QString());
    }
    return rows.join(QString());
}

}  // namespace

QString BlockHelpPage(int typeId) {
    const CatalogueEntry* entry = FindCatalogueEntry(typeId);
    if (entry == nullptr) return {};
    const QString name = QString::fromStdString(LoadString(typeId)).toHtmlEscaped();
    const auto found = HelpTable().find(typeId);
    const BlockHelpText* text = found != HelpTable().end() ? &found->second : nullptr;
    QString page = QStringLiteral("<html><head><title>%1</title></head><body><h2>%1</h2>").arg(name);
    if (text != nullptr) page += QStringLiteral("<p>%1</p>").arg(QLatin1String(text->formula));
    page += QStringLiteral("<p>gk is input k times parameter k; an input left unconnected counts as its parameter where the formula says &quot;or&quot;.</p>");
    page += QStringLiteral("<table border=\"1\" cellpadding=\"3\"><tr><th></th><th>Name</th><th></th></tr>%1</table>")
                .arg(Rows(*entry, text));
    page += QStringLiteral("<p><b>Mode:</b> %1</p>").arg(ModeText(entry->kind));
    if (text != nullptr) page += QStringLiteral("<p><b>Example:</b><br>%1</p>").arg(QLatin1String(text->example));
    page += QStringLiteral("<p><a href=\"qrc:/help/blocks.html\">All blocks</a></p></body></html>");
    return page;
}

QString ParameterHint(int typeId, int k) {
    const CatalogueEntry* entry = FindCatalogueEntry(typeId);
    if (entry == nullptr || k < 1 || k > entry->paramCount) return {};
    const auto found = HelpTable().find(typeId);
    const char* unit = found != HelpTable().end() ? found->second.units[k - 1] : nullptr;
    QString hint = Caption(entry->paramLabels[k - 1], "Gain", k);
    if (unit != nullptr) hint += QStringLiteral(", in ") + QLatin1String(unit);
    return hint + QStringLiteral("; default ") +
           QString::fromStdString(FormatSignificant(entry->paramDefaults[k - 1], 6));
}

int BlockTypeOfHelpContext(int context) {
    if (context < kBlockHelpBase || context >= 2 * kBlockHelpBase) return 0;
    const CatalogueEntry* entry = FindCatalogueEntryByCommand(context - kBlockHelpBase);
    return entry != nullptr ? entry->typeId : 0;
}

}  // namespace ondrel::gui
