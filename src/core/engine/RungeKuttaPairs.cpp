#include "core/engine/RungeKuttaPairs.h"

#include <initializer_list>

namespace ondrel {
namespace {

// Every coefficient is the double nearest to its fraction: a division of two integers that
// doubles hold exactly is rounded once, correctly.
constexpr double F(double numerator, double denominator) { return numerator / denominator; }

void Fill(std::vector<double>& target, std::initializer_list<double> values) {
    std::size_t i = 0;
    for (double v : values) target[i++] = v;
}

// Row j of the stage coefficients: the columns 0..j-1 in order.
void FillRow(std::vector<double>& a, int s, int row, std::initializer_list<double> values) {
    std::size_t i = static_cast<std::size_t>(row) * s;
    for (double v : values) a[i++] = v;
}

}  // namespace

CRungeKutta45::CRungeKutta45(int stateCount, RunState& run) : CIntegrator(stateCount, 6, run) {
    SetCoefficients();
    safety = 0.9;
    growExponent = 0.2;
    shrinkExponent = 0.25;
}

void CRungeKutta45::SetCoefficients() {
    Fill(c, {0.0, F(1, 5), F(3, 10), F(3, 5), 1.0, F(7, 8)});
    FillRow(a, s, 1, {F(1, 5)});
    FillRow(a, s, 2, {F(3, 40), F(9, 40)});
    FillRow(a, s, 3, {F(3, 10), F(-9, 10), F(6, 5)});
    FillRow(a, s, 4, {F(-11, 54), F(5, 2), F(-70, 27), F(35, 27)});
    FillRow(a, s, 5, {F(1631, 55296), F(175, 512), F(575, 13824), F(44275, 110592), F(253, 4096)});
    const double fifth[6] = {F(37, 378), 0.0, F(250, 621), F(125, 594), 0.0, F(512, 1771)};
    const double fourth[6] = {F(2825, 27648), 0.0,          F(18575, 48384),
                              F(13525, 55296), F(277, 14336), F(1, 4)};
    for (int j = 0; j < 6; ++j) {
        b[j] = fifth[j];
        e[j] = fifth[j] - fourth[j];
    }
}

CRungeKutta78::CRungeKutta78(int stateCount, RunState& run) : CIntegrator(stateCount, 13, run) {
    SetCoefficients();
    safety = 0.9;
    growExponent = 0.125;
    shrinkExponent = F(1, 7);
}

void CRungeKutta78::SetCoefficients() {
    Fill(c, {0.0, F(1, 4), F(1, 12), F(1, 8), F(2, 5), F(1, 2), F(6, 7), F(1, 7), F(2, 3),
             F(2, 7), 1.0, F(1, 3), 1.0});
    FillRow(a, s, 1, {F(1, 4)});
    FillRow(a, s, 2, {F(5, 72), F(1, 72)});
    FillRow(a, s, 3, {F(1, 32), 0, F(3, 32)});
    FillRow(a, s, 4, {F(106, 125), 0, F(-408, 125), F(352, 125)});
    FillRow(a, s, 5, {F(1, 48), 0, 0, F(8, 33), F(125, 528)});
    FillRow(a, s, 6, {F(-1263, 2401), 0, 0, F(39936, 26411), F(-64125, 26411), F(5520, 2401)});
    FillRow(a, s, 7, {F(37, 392), 0, 0, 0, F(1625, 9408), F(-2, 15), F(61, 6720)});
    FillRow(a, s, 8, {F(17176, 25515), 0, 0, F(-47104, 25515), F(1325, 504), F(-41792, 25515),
                      F(20237, 145800), F(4312, 6075)});
    FillRow(a, s, 9, {F(-23834, 180075), 0, 0, F(-77824, 1980825), F(-636635, 633864),
                      F(254048, 300125), F(-183, 7000), F(8, 11), F(-324, 3773)});
    FillRow(a, s, 10, {F(12733, 7600), 0, 0, F(-20032, 5225), F(456485, 80256), F(-42599, 7125),
                       F(339227, 912000), F(-1029, 4180), F(1701, 1408), F(5145, 2432)});
    FillRow(a, s, 11, {F(-27061, 204120), 0, 0, F(40448, 280665), F(-1353775, 1197504),
                       F(17662, 25515), F(-71687, 1166400), F(98, 225), F(1, 16), F(3773, 11664),
                       0});
    FillRow(a, s, 12, {F(11203, 8680), 0, 0, F(-38144, 11935), F(2354425, 458304),
                       F(-84046, 16275), F(673309, 1636800), F(4704, 8525), F(9477, 10912),
                       F(-1029, 992), 0, F(729, 341)});
    Fill(b, {F(31, 720), 0, 0, 0, 0, F(16, 75), F(16807, 79200), F(16807, 79200), F(243, 1760), 0,
             0, F(243, 1760), F(31, 720)});
    Fill(e, {F(-1, 480), 0, 0, 0, 0, F(-16, 375), F(-2401, 528000), F(2401, 132000),
             F(243, 14080), F(-2401, 19200), F(-19, 450), F(243, 1760), F(31, 720)});
}

}  // namespace ondrel
