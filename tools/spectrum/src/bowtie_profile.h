#pragma once
// Bowtie filter profiles: the extra aluminium path (mm) a ray meets beyond the central
// filtration, as a function of its distance from the centre measured at the rotation centre.
//
// The presets compensate a water cylinder centred on the rotation axis: along the ray at
// distance d the water chord is shorter than the diameter by delta(d), and the bowtie adds
// waterToAluminium * delta(d) of aluminium, so bowtie plus water give about the central path.
// The compensation stops at a cap, as a real filter's thickness is limited; beyond the
// cylinder the path stays at the cap.

#include <string>
#include <vector>

// Aluminium path equivalent to 1 mm of water: the ratio of their linear attenuation
// coefficients at 60 keV, near the mean energy of a filtered 120 kV beam
// (0.2059 cm^2/g x 1.000 g/cm^3 for water, 0.2778 cm^2/g x 2.699 g/cm^3 for aluminium).
constexpr double waterToAluminium = 0.2746;

struct WaterCompensator {
    std::string name;
    double diameterCm;
    double capMmAl;
};

// "body": 32 cm water, capped at 30 mm Al. "head": 16 cm water, capped at 20 mm Al.
const WaterCompensator& bodyBowtie();
const WaterCompensator& headBowtie();

// The extra path at `distanceCm` for a fan from a focus `sadCm` from the rotation centre: the
// ray passes the axis at distance d * SAD / sqrt(SAD^2 + d^2).
double compensatorPathMmAl(const WaterCompensator& bowtie, double distanceCm, double sadCm);

// A profile given as points (distance in cm, extra path in mm Al), interpolated linearly
// between them and held constant before the first and after the last.
struct TabulatedBowtie {
    std::vector<double> distanceCm;
    std::vector<double> pathMmAl;
};

// Reads a profile file: one point per line, "distance_cm path_mm_Al" separated by blanks or a
// comma; blank lines and lines starting with '#' are skipped. Distances must be 0 or more and
// strictly ascending, paths 0 or more, and there must be at least one point. Throws IoError
// naming the file and line otherwise.
TabulatedBowtie readTabulatedBowtie(const std::string& fileName);

double tabulatedPathMmAl(const TabulatedBowtie& bowtie, double distanceCm);
