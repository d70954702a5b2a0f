#include "photon_transport.h"

#include "stored_float.h"

#include <cmath>

namespace {

constexpr float pi = 3.141592f;
constexpr float energyCutOff = 5.0f;      // keV
constexpr float hc = IncoherentConstants::hc;
constexpr double incoherentTestLimit = 10.0; // momentum transfer, 1/angstrom

inline float nextUniform(UniformRandom& random) { return uniformFromValue(random.nextValue()); }

inline void score(TransportContext& context, std::int32_t component, float x, float y, float z,
                  double amount)
{
    const int offset = depositOffset(component, x, y, z);
    if (offset < 0) return; // outside the grid: dropped, the history goes on
    if (context.deposits) context.deposits->add(context.dose, offset, amount);
    else addToCell(context.dose, offset, amount);
}

} // namespace

namespace {

// The bin whose energy 0.5 * bin is E exactly, or 0 when E is no bin energy.
inline std::int32_t binAtEnergy(float energy)
{
    const float twice = energy * 2.0f; // exact
    if (twice >= 1.0f && twice <= static_cast<float>(InteractionData::binCount)) {
        const std::int32_t bin = static_cast<std::int32_t>(twice);
        if (static_cast<float>(bin) == twice) return bin;
    }
    return 0;
}

} // namespace

TissueCoefficients lookupCoefficients(const TransportTables& tables, float energy)
{
    const std::int32_t bin = binAtEnergy(energy);
    if (bin > 0) return tables.atBin[bin];
    return interpolateTissueCoefficients(tables, energy);
}

namespace {

// The stored scattering angle for the cosine c, in [0, pi].
inline float scatteringAngle(float c)
{
    if (c == 0.0f) return stored(pi * 0.5);
    if (c > 1.0f) c = 1.0f;
    const double cd = c;
    float theta = stored(std::atan(std::sqrt(1.0 - cd * cd) / cd));
    if (theta < 0.0f) theta = stored(static_cast<double>(pi) + theta);
    return theta;
}

enum class Verdict { accepted, rejected, undecided, undecidedAfterDraw };

struct IncoherentTest {
    Verdict verdict;
    float draw = 0; // the test's draw, already made when undecidedAfterDraw
};

// The incoherent-function test of a candidate, decided where possible from its cosine alone.
// The test uses q = sin(theta/2) E / hc from the stored angle theta = atan(...); from the
// cosine, sin(theta/2) = sqrt((1 - c)/2) gives q to within the effect of storing theta and of
// the engine's pi (below 1e-6 in theta, so below 7e-6 in q for E up to 150 keV). Where q, its
// grid interval and the acceptance all come out the same across a margin of 2e-5 around that
// value, the outcome is that of the written test, and the trigonometry of q is skipped. The
// draw is made exactly when the test makes it (q below 10).
inline IncoherentTest incoherentTestFromCosine(const TransportTables& t, UniformRandom& random,
                                               float c, double energyOverHc)
{
    constexpr double margin = 2e-5;
    if (c == 0.0f) return {Verdict::undecided};
    const double cd = c > 1.0f ? 1.0 : static_cast<double>(c);
    const double q = std::sqrt((1.0 - cd) * 0.5) * energyOverHc; // the margin covers its rounding
    if (q - margin >= incoherentTestLimit) return {Verdict::accepted}; // no test, no draw
    if (!(q + margin < incoherentTestLimit)) return {Verdict::undecided};
    // The interval of the grid holding q + margin must also hold q - margin: no grid point
    // lies between them (the search is monotonic, so q itself lies in the same interval).
    const float low = stored(q - margin), high = stored(q + margin);
    const std::int32_t k = firstIndexAbove(t.momentumTransfer.data(),
                                           InteractionData::scatteringRowCount,
                                           t.momentumTransferSearch, high);
    if (k > 2 && !(t.momentumTransfer[k - 1] <= low)) return {Verdict::undecided};
    const double slope = t.incoherentFunctionSlope[k];
    const double value = slope * (q - t.momentumTransfer[k - 1]) + t.incoherentFunction[k - 1];
    const double spread = std::fabs(slope) * margin + std::fabs(value) * 1e-6 + 1e-30;
    const float r = nextUniform(random);
    const double rd = r;
    // Compared as r * max: the 1e-12 margins cover the difference from dividing by max.
    const double threshold = rd * t.incoherentFunctionMax;
    if (value - spread > threshold * (1.0 + 1e-12) + 1e-300) return {Verdict::accepted};
    if (value + spread < threshold * (1.0 - 1e-12)) return {Verdict::rejected};
    return {Verdict::undecidedAfterDraw, r};
}

} // namespace

IncoherentScatter sampleIncoherent(const TransportTables& t, UniformRandom& random, float energy)
{
    return sampleIncoherent(t, random, incoherentConstants(energy));
}

IncoherentScatter sampleIncoherent(const TransportTables& t, UniformRandom& random,
                                   const IncoherentConstants& k)
{
    const double e = k.energy;
    const double ad = k.a;
    const float b = k.b;
    const double energyOverHc = k.energyOverHc;
    const double twoOverA = k.twoOverA;
    const double restOverEnergy = k.restOverEnergy;
    float theta;
    for (;;) {
        const float r1 = nextUniform(random);
        const float r2 = nextUniform(random);
        const float r3 = nextUniform(random);
        float rho;
        bool accepted;
        if (r1 <= b) {
            rho = stored(twoOverA * r2 + 1.0);
            const double rhod = rho;
            accepted = ((1.0 / rhod) - 1.0 / (rhod * rhod)) * 4.0 > r3;
        } else {
            rho = stored((ad + 2.0) / ((1.0 - r2) * 2.0 + ad));
            const double rhod = rho;
            const double base = (ad - rhod * ad) + 1.0;
            accepted = (base * base + 1.0 / rhod) * 0.5 > r3;
        }
        if (!accepted) continue;

        const float g = stored(static_cast<double>(rho) * ad);
        // g / a as a product with 1 / a (within 4e-16 of it, relatively); the margin covers
        // that through the cosine's three further roundings.
        const double gOverA = static_cast<double>(g) * k.inverseA;
        float c;
        if (!storedWithin(1.0 - (gOverA - 1.0) * restOverEnergy,
                          ((std::fabs(gOverA) + 1.0) * restOverEnergy + 1.0) * 1e-14, c))
            c = stored(1.0 - (static_cast<double>(g) / ad - 1.0) * restOverEnergy);
        const IncoherentTest test = incoherentTestFromCosine(t, random, c, energyOverHc);
        if (test.verdict == Verdict::rejected) continue;
        theta = scatteringAngle(c);
        if (test.verdict == Verdict::accepted) break;

        // Undecided from the cosine alone: the test as written, on q from the stored angle.
        const float q = stored((std::sin(static_cast<double>(theta) * 0.5) * e) / hc);
        if (q < incoherentTestLimit) {
            const std::int32_t k =
                firstIndexAbove(t.momentumTransfer.data(), InteractionData::scatteringRowCount,
                                t.momentumTransferSearch, q);
            const float incoherentValue = stored(
                t.incoherentFunctionSlope[k] * (static_cast<double>(q) - t.momentumTransfer[k - 1]) +
                t.incoherentFunction[k - 1]);
            const float r =
                test.verdict == Verdict::undecidedAfterDraw ? test.draw : nextUniform(random);
            if (!(static_cast<double>(incoherentValue) / t.incoherentFunctionMax >= r)) continue;
        }
        break;
    }
    const double thetad = theta;
    IncoherentScatter s;
    s.scatteredEnergy = stored(e / ((1.0 - std::cos(thetad)) * k.energyOverRest + 1.0));
    s.cosAngle = stored(std::cos(thetad));
    s.sinAngle = stored(std::sin(thetad));
    return s;
}

CoherentScatter sampleCoherent(const TransportTables& t, UniformRandom& random, float energy)
{
    const double e = energy;
    for (;;) {
        const float r = stored(static_cast<double>(nextUniform(random)) * t.coherentCumulativeMax);
        const std::int32_t k =
            firstIndexAbove(t.coherentCumulative.data(), InteractionData::scatteringRowCount,
                            t.coherentCumulativeSearch, r);
        const float h = stored(
            ((t.momentumTransferStep[k] * (static_cast<double>(r) - t.coherentCumulative[k - 1])) /
                 t.coherentCumulativeStep[k] +
             t.momentumTransfer[k - 1]) *
            hc / e);
        if (h > 1.0f) continue;
        const double hd = h;
        const float c = stored(1.0 - (hd * hd) * 2.0);
        const double cd = c;
        const float r1 = nextUniform(random);
        if (!(r1 * 2.0 <= cd * cd + 1.0)) continue;
        CoherentScatter s;
        s.cosAngle = c > 1.0f ? 1.0f : c;
        const double cosAngle = s.cosAngle;
        s.sinAngle = stored(std::sqrt(1.0 - cosAngle * cosAngle));
        return s;
    }
}

void rotateDirection(PhotonState& p, float cosAngle, float sinAngle, float cosAzimuth,
                     float sinAzimuth)
{
    const double cosT = p.cosTheta, sinT = p.sinTheta, cosP = p.cosPhi, sinP = p.sinPhi;
    const double ca = cosAngle, sa = sinAngle;
    float newCosTheta = stored((sinT * cosAzimuth) * sa + cosT * ca);
    if (newCosTheta > 1.0f) newCosTheta = 1.0f;
    if (newCosTheta < -1.0f) newCosTheta = -1.0f;
    const double nct = newCosTheta;
    const float newSinTheta = stored(std::sqrt(1.0 - nct * nct));
    if (newSinTheta == 0.0f) {
        p.sinPhi = 0.0f;
        p.cosPhi = 1.0f;
    } else {
        const double nst = newSinTheta;
        const float sinDelta = stored((static_cast<double>(sinAzimuth) * sa) / nst);
        const float cosDelta = stored((ca - cosT * nct) / (sinT * nst));
        p.sinPhi = stored(static_cast<double>(cosDelta) * sinP + static_cast<double>(sinDelta) * cosP);
        p.cosPhi = stored(cosP * cosDelta - sinP * sinDelta);
    }
    p.cosTheta = newCosTheta;
    p.sinTheta = newSinTheta;
}

void transportPhoton(PhotonState& p, TransportContext& context)
{
    const TransportTables& t = context.tables;
    UniformRandom& random = context.random;
    const float halfFlat = context.phantomHalfFlatLength;
    const float radius = context.phantomRadius;
    const float halfLength = context.phantomHalfLength;

    // Until the first incoherent scatter the energy is the bin's, whose constants are tabled.
    const std::int32_t bin = binAtEnergy(p.photonEnergy);
    TissueCoefficients mu = bin > 0 ? t.atBin[bin] : interpolateTissueCoefficients(t, p.photonEnergy);
    const IncoherentConstants* binConstants = bin > 0 ? &t.incoherentAtBin[bin] : nullptr;
    for (;;) {
        if (p.photonEnergy < energyCutOff) return;

        std::int32_t r1;
        float r2;
        do {
            r1 = random.nextValue();
            r2 = nextUniform(random);
        } while (!(r1 > 0));
        // Most histories end at this flight; the next photon then draws the next value.
        if (context.upcomingPhotonTable)
            __builtin_prefetch(context.upcomingPhotonTable + 16 * upcomingValue(random));
        const float step = stored(-(t.logUniform[r1] / mu.total));

        const double s = step;
        const float nx = stored((s * p.sinTheta) * p.cosPhi + p.x);
        const float ny = stored((static_cast<double>(p.sinPhi) * p.sinTheta) * s + p.y);
        const float nz = stored(p.cosTheta * s + p.z);

        // Stuck: a flight that leaves any coordinate's stored value unchanged ends the history.
        if (nx == p.x || ny == p.y || nz == p.z) return;

        if (!insidePhantom(nx, ny, nz, halfFlat, radius, halfLength)) return;
        p.x = nx;
        p.y = ny;
        p.z = nz;

        if (r2 < mu.photoelectricShare) {
            score(context, p.doseComponent, p.x, p.y, p.z,
                         static_cast<double>(p.photonEnergy) * p.photonWeight);
            return;
        }
        if (r2 < mu.photoelectricCoherentShare) {
            const CoherentScatter scatter = sampleCoherent(t, random, p.photonEnergy);
            // The energy is unchanged, and so are the coefficients.
            if (p.photonEnergy < energyCutOff) return;
            const std::int32_t azimuth = random.nextValue();
            __builtin_prefetch(&t.logUniform[upcomingValue(random)]); // the next flight's R1
            rotateDirection(p, scatter.cosAngle, scatter.sinAngle, t.azimuth[azimuth].cos,
                            t.azimuth[azimuth].sin);
        } else {
            const IncoherentScatter scatter =
                binConstants ? sampleIncoherent(t, random, *binConstants)
                             : sampleIncoherent(t, random, incoherentConstants(p.photonEnergy));
            binConstants = nullptr;
            score(context, p.doseComponent, p.x, p.y, p.z,
                         (static_cast<double>(p.photonEnergy) - scatter.scatteredEnergy) *
                             p.photonWeight);
            p.photonEnergy = scatter.scatteredEnergy;
            if (p.photonEnergy < energyCutOff) return;
            const std::int32_t azimuth = random.nextValue();
            __builtin_prefetch(&t.logUniform[upcomingValue(random)]); // the next flight's R1
            rotateDirection(p, scatter.cosAngle, scatter.sinAngle, t.azimuth[azimuth].cos,
                            t.azimuth[azimuth].sin);
            mu = interpolateTissueCoefficients(t, p.photonEnergy);
        }
        p.doseComponent = 2;
    }
}
