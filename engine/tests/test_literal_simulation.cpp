// The engine against a second, deliberately plain implementation of the same rules: every
// formula written out in its stated order, linear searches, logarithms taken in every flight,
// nothing precomputed or batched. Both run the real data files; the dose grids and the
// air-kerma sums must agree bit for bit. Any optimisation that changes one rounding or one
// draw shows up here.

#include "engine_state.h"
#include "photon_source.h"
#include "run_conditions.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <filesystem>
#include <memory>
#include <sstream>

namespace fs = std::filesystem;

namespace {

float f32(double value) { return static_cast<float>(value); }

class LiteralSimulation {
public:
    LiteralSimulation(const RunConditions& conditions, const InteractionData& data)
        : c(conditions), d(data)
    {
        random.seed();
    }

    std::unique_ptr<DoseGrid> grid = std::make_unique<DoseGrid>();
    float airKermaSum = 0;

    void run()
    {
        const double D = c.sourceAxisDistance;
        for (int s = 1; s <= 9; ++s) {
            const float thetaDegrees = f32(s * 10.0 - 5.0);
            theta = f32((static_cast<double>(thetaDegrees) * pi) / 180.0);
            sx = f32(std::sin(static_cast<double>(theta)) * D);
            sz = f32(-(std::cos(static_cast<double>(theta)) * D));
            for (int bin = 10; bin <= c.topEnergyBin; ++bin) {
                const int n = static_cast<int>((static_cast<double>(c.spectrumFluence[bin]) *
                                                c.historyCount) / 9.0);
                for (int i = 0; i < n; ++i)
                    if (emit(bin)) transport();
            }
        }
    }

private:
    static constexpr float pi = 3.141592f;
    const RunConditions& c;
    const InteractionData& d;
    UniformRandom random;
    float theta = 0, sx = 0, sz = 0;
    // The photon.
    float x = 0, y = 0, z = 0, cosT = 0, sinT = 0, cosP = 0, sinP = 0, e = 0, w = 0;
    int component = 1;

    float u() { return random.nextUniform(); }

    // Rounded end of radius B about (+A, 0) (right) or (-A, 0); false for a miss.
    bool endEntry(bool right, bool upper, float t, float k, float& x0, float& z0) const
    {
        const double a = c.phantomFlatLength, A = c.phantomHalfFlatLength, B = c.phantomRadius;
        const float qa = f32(1.0 / (static_cast<double>(t) * t) + 1.0);
        const float qc = f32((A * A - B * B) + static_cast<double>(k) * k);
        const float qb = right ? f32(-(k * (2.0 / t) + a)) : f32(a - k * (2.0 / t));
        const float disc = f32(static_cast<double>(qb) * qb - (static_cast<double>(qc) * qa) * 4.0);
        if (!(disc > 0)) return false;
        x0 = upper ? f32((std::sqrt(static_cast<double>(disc)) + (-static_cast<double>(qb))) /
                         (qa * 2.0))
                   : f32((-static_cast<double>(qb) - std::sqrt(static_cast<double>(disc))) /
                         (qa * 2.0));
        z0 = f32(x0 / static_cast<double>(t) - k);
        return true;
    }

    bool emit(int bin)
    {
        const double D = c.sourceAxisDistance;
        const float A = c.phantomHalfFlatLength, B = c.phantomRadius;
        const float energy = f32(bin * 0.5);
        const float r1 = u();
        const float r2 = u();
        const float fan = f32((r1 - 0.5) * c.fullFanAngle);
        const float cone = f32(static_cast<double>(r2) * c.halfConeAngle);
        const float alpha = f32(-static_cast<double>(theta) + fan);
        const float t = f32(std::tan(static_cast<double>(alpha)));
        if (t == 0) return false;
        const float k = f32(sx / static_cast<double>(t) + (-static_cast<double>(sz)));
        float x0, z0;
        if (!(-B > sz)) {
            if (!endEntry(true, true, t, k, x0, z0)) return false;
        } else {
            if (!(-(pi * 0.5) < alpha)) return false;
            const float xb = f32(((-static_cast<double>(B) - sz) + sx / static_cast<double>(t)) * t);
            if (!(-A > xb) && !(xb > A)) {
                x0 = xb;
                z0 = -B;
            } else if (xb < -A) {
                if (!endEntry(false, true, t, k, x0, z0)) return false;
            } else if (!endEntry(true, !(alpha >= 0), t, k, x0, z0)) {
                return false;
            }
        }
        // Body-axis offset from the entry point's distance along the central ray.
        const double tanCone = std::tan(static_cast<double>(cone));
        const double along = ((static_cast<double>(x0) - sx) * (-static_cast<double>(sx)) +
                              (static_cast<double>(z0) - sz) * (-static_cast<double>(sz))) / D;
        const float y0 = f32(tanCone * along);

        const float dx = f32(static_cast<double>(x0) - sx);
        const float dy = f32(static_cast<double>(y0) - 0.0);
        const float dz = f32(static_cast<double>(z0) - sz);
        const float rhoXY = f32(std::sqrt(static_cast<double>(dy) * dy + static_cast<double>(dx) * dx));
        const float rho = f32(std::sqrt((static_cast<double>(dy) * dy + static_cast<double>(dz) * dz) +
                                        static_cast<double>(dx) * dx));
        cosT = f32(static_cast<double>(dz) / rho);
        sinT = f32(static_cast<double>(rhoXY) / rho);
        cosP = f32(static_cast<double>(dx) / rhoXY);
        sinP = f32(static_cast<double>(dy) / rhoXY);

        const float lateral = f32(std::fabs(std::tan(static_cast<double>(fan)) * D));
        const float bodyAxis = f32(tanCone * D);
        const int last = c.filterPointCount + 2;
        int p = 1;
        while (p < last && c.filterDistance[p] < lateral) ++p;
        float path;
        if (c.filterDistance[p] < lateral) {
            path = c.filterThickness[last];
        } else {
            const double pPrev = p == 1 ? 0.0 : c.filterDistance[p - 1];
            const double qPrev = p == 1 ? 0.0 : c.filterThickness[p - 1];
            path = f32(((c.filterThickness[p] - qPrev) * (lateral - pPrev)) /
                           (c.filterDistance[p] - pPrev) + qPrev);
        }
        const float excess = f32(static_cast<double>(path) - c.filterThickness[1]);
        const float weight = f32(std::exp(-(static_cast<double>(excess) * d.filterAttenuation[bin])));
        if (lateral <= 0.5 && bodyAxis <= 0.5)
            airKermaSum = f32((static_cast<double>(d.airEnergyTransfer[bin]) * energy) * weight +
                              airKermaSum);
        x = x0;
        y = y0;
        z = z0;
        e = energy;
        w = weight;
        component = 1;
        return true;
    }

    void score(double amount)
    {
        const int iy = static_cast<int>(std::fabs(static_cast<double>(y)) * 2.0) + 1;
        if (iy > 40) return;
        const int ix = static_cast<int>(std::fabs(static_cast<double>(x)) * 10.0) + 1;
        const int iz = static_cast<int>(std::fabs(static_cast<double>(z)) * 10.0) + 1;
        if (ix > 200 || iz > 100) return;
        float& cell = grid->at(component, ix, iy, iz);
        cell = f32(amount + cell);
    }

    void transport()
    {
        const float A = c.phantomHalfFlatLength, B = c.phantomRadius;
        for (;;) {
            if (e < 5.0f) return;
            int k = 2;
            while (d.energyKeV[k] <= e) ++k;
            const float lnE = f32(std::log(static_cast<double>(e)));
            auto ln = [](float v) { return f32(std::log(static_cast<double>(v))); };
            const float leK = ln(d.energyKeV[k]), leK1 = ln(d.energyKeV[k - 1]);
            const float f = f32((static_cast<double>(lnE) - leK1) / (static_cast<double>(leK) - leK1));
            auto interpolate = [&](float high, float low) {
                const float lh = ln(high), ll = ln(low);
                return f32(std::exp((static_cast<double>(lh) - ll) * f + ll));
            };
            const float muCoh = interpolate(d.coherent[k], d.coherent[k - 1]);
            const float muInc = interpolate(d.incoherent[k], d.incoherent[k - 1]);
            const float muPe = interpolate(d.photoelectric[k], d.photoelectric[k - 1]);
            const float mu = f32((static_cast<double>(muInc) + muCoh) + muPe);
            const float pPe = f32(static_cast<double>(muPe) / mu);
            const float pPc = f32((static_cast<double>(muCoh) + muPe) / mu);

            float r1, r2;
            do {
                r1 = u();
                r2 = u();
            } while (!(r1 > 0));
            const float s = f32(-(std::log(static_cast<double>(r1)) / mu));
            const float nx = f32((static_cast<double>(s) * sinT) * cosP + x);
            const float ny = f32((static_cast<double>(sinP) * sinT) * s + y);
            const float nz = f32(static_cast<double>(cosT) * s + z);
            if (nx == x || ny == y || nz == z) return;
            if (std::fabs(ny) > 20.0f) return;
            if (std::fabs(nz) > B) return;
            if (!(std::fabs(nx) <= A)) {
                const double fromEnd = std::fabs(static_cast<double>(nx)) - A;
                if (!(std::sqrt(fromEnd * fromEnd + static_cast<double>(nz) * nz) <= B)) return;
            }
            x = nx;
            y = ny;
            z = nz;

            float cosA, sinA;
            if (r2 < pPe) {
                score(static_cast<double>(e) * w);
                return;
            } else if (r2 < pPc) {
                coherent(cosA, sinA);
            } else {
                float scattered;
                incoherent(cosA, sinA, scattered);
                score((static_cast<double>(e) - scattered) * w);
                e = scattered;
            }
            if (e < 5.0f) return;
            const float azimuth = f32((static_cast<double>(u()) * pi) * 2.0);
            rotate(cosA, sinA, azimuth);
            component = 2;
        }
    }

    void incoherent(float& cosA, float& sinA, float& scattered)
    {
        const float a = f32(511.0 / e);
        const float b = f32((a + 2.0) / (a * 9.0 + 2.0));
        float angle;
        for (;;) {
            const float r1 = u(), r2 = u(), r3 = u();
            float rho;
            if (r1 <= b) {
                rho = f32((2.0 / a) * r2 + 1.0);
                if (!(((1.0 / rho) - 1.0 / (static_cast<double>(rho) * rho)) * 4.0 > r3)) continue;
            } else {
                rho = f32((a + 2.0) / ((1.0 - r2) * 2.0 + a));
                const double base = (a - static_cast<double>(rho) * a) + 1.0;
                if (!((base * base + 1.0 / rho) * 0.5 > r3)) continue;
            }
            const float g = f32(static_cast<double>(rho) * a);
            float cosine = f32(1.0 - (static_cast<double>(g) / a - 1.0) * (511.0 / e));
            if (cosine == 0) {
                angle = f32(pi * 0.5);
            } else {
                if (cosine > 1.0f) cosine = 1.0f;
                angle = f32(std::atan(std::sqrt(1.0 - static_cast<double>(cosine) * cosine) / cosine));
                if (angle < 0) angle = f32(static_cast<double>(pi) + angle);
            }
            const float q = f32((std::sin(angle * 0.5) * e) / static_cast<double>(12.4f));
            if (q < 10.0f) {
                int k = 2;
                while (d.momentumTransferGrid[k] <= q) ++k;
                const auto& X = d.momentumTransferGrid;
                const auto& S = d.incoherentFunction;
                const float sval = f32(((static_cast<double>(S[k]) - S[k - 1]) /
                                        (static_cast<double>(X[k]) - X[k - 1])) *
                                           (static_cast<double>(q) - X[k - 1]) + S[k - 1]);
                const float r = u();
                if (!(static_cast<double>(sval) / d.incoherentFunctionMax >= r)) continue;
            }
            break;
        }
        scattered = f32(e / ((1.0 - std::cos(static_cast<double>(angle))) * (e / 511.0) + 1.0));
        cosA = f32(std::cos(static_cast<double>(angle)));
        sinA = f32(std::sin(static_cast<double>(angle)));
    }

    void coherent(float& cosA, float& sinA)
    {
        const auto& X = d.momentumTransferGrid;
        const auto& C = d.coherentCumulative;
        for (;;) {
            const float r = f32(static_cast<double>(u()) * d.coherentCumulativeMax);
            int k = 2;
            while (C[k] <= r) ++k;
            const float h = f32(((((static_cast<double>(X[k]) - X[k - 1]) *
                                   (static_cast<double>(r) - C[k - 1])) /
                                  (static_cast<double>(C[k]) - C[k - 1])) + X[k - 1]) *
                                static_cast<double>(12.4f) / e);
            if (h > 1.0f) continue;
            const float cosine = f32(1.0 - (static_cast<double>(h) * h) * 2.0);
            if (!(u() * 2.0 <= static_cast<double>(cosine) * cosine + 1.0)) continue;
            cosA = cosine > 1.0f ? 1.0f : cosine;
            sinA = f32(std::sqrt(1.0 - static_cast<double>(cosA) * cosA));
            return;
        }
    }

    void rotate(float cosA, float sinA, float azimuth)
    {
        const float cphi = f32(std::cos(static_cast<double>(azimuth)));
        const float sphi = f32(std::sin(static_cast<double>(azimuth)));
        float nct = f32((static_cast<double>(sinT) * cphi) * sinA + static_cast<double>(cosT) * cosA);
        if (nct > 1.0f) nct = 1.0f;
        if (nct < -1.0f) nct = -1.0f;
        const float nst = f32(std::sqrt(1.0 - static_cast<double>(nct) * nct));
        if (nst == 0) {
            sinP = 0;
            cosP = 1;
        } else {
            const float sDelta = f32((static_cast<double>(sphi) * sinA) / nst);
            const float cDelta = f32((cosA - static_cast<double>(cosT) * nct) /
                                     (static_cast<double>(sinT) * nst));
            const float newSinP = f32(static_cast<double>(cDelta) * sinP + static_cast<double>(sDelta) * cosP);
            const float newCosP = f32(static_cast<double>(cosP) * cDelta - static_cast<double>(sinP) * sDelta);
            sinP = newSinP;
            cosP = newCosP;
        }
        cosT = nct;
        sinT = nst;
    }
};

struct Geometry {
    const char* name;
    float flatLength, thickness, beamRotation, beamBodyAxis, sourceAxisDistance;
};

void PrintTo(const Geometry& geometry, std::ostream* out) { *out << geometry.name; }

class LiteralSimulationTest : public ::testing::TestWithParam<Geometry> {};

TEST_P(LiteralSimulationTest, EngineGivesTheSameBitsAsThePlainRules)
{
    const Geometry g = GetParam();
    auto state = std::make_unique<EngineState>();
    const fs::path previous = fs::current_path();
    fs::current_path(fs::path(ORVELL_SOURCE_DIR) / "data");
    loadInteractionData(state->data);
    state->conditions = readRunConditions("joken.dat");
    fs::current_path(previous);

    RunConditions& c = state->conditions;
    c.phantomFlatLength = g.flatLength;
    c.phantomThickness = g.thickness;
    c.beamSizeRotation = g.beamRotation;
    c.beamSizeBodyAxis = g.beamBodyAxis;
    c.sourceAxisDistance = g.sourceAxisDistance;
    c.historyCount = 1.5e5f;
    deriveQuantities(c, "joken.dat");

    LiteralSimulation literal(c, state->data);
    literal.run();

    state->random.seed();
    std::ostringstream progress;
    runStages(*state, progress);

    EXPECT_EQ(std::memcmp(&state->airKermaSum, &literal.airKermaSum, sizeof(float)), 0)
        << state->airKermaSum << " vs " << literal.airKermaSum;
    int differing = 0, nonZero = 0;
    for (std::size_t i = 0; i < state->dose.cells.size(); ++i) {
        differing += std::memcmp(&state->dose.cells[i], &literal.grid->cells[i], sizeof(float)) != 0;
        nonZero += literal.grid->cells[i] != 0;
    }
    EXPECT_EQ(differing, 0);
    EXPECT_GT(nonZero, 10000); // the comparison covered a real dose distribution
}

INSTANTIATE_TEST_SUITE_P(
    Geometries, LiteralSimulationTest,
    ::testing::Values(Geometry{"Default", 20, 20, 40, 10, 60},
                      Geometry{"WideFlatPhantomCloseSource", 30, 10, 50, 4, 40},
                      Geometry{"RoundPhantom", 0, 30, 45, 2, 70}),
    [](const auto& info) { return std::string(info.param.name); });

} // namespace
