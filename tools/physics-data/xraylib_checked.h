#pragma once
// The few xraylib quantities the data files are made from, with xraylib's error reports
// turned into exceptions so that no table is ever written from a failed call.
// Energies in keV, momentum transfer x = sin(theta/2)/lambda in 1/Angstrom, as xraylib has them.

#include <string>
#include <vector>

struct MaterialElement {
    int atomicNumber;
    double massFraction;
};

struct Material {
    std::string name;
    double density; // g/cm^3
    std::vector<MaterialElement> elements;
};

// A material of xraylib's NIST compound list, by its index (NIST_COMPOUND_...).
Material nistMaterial(int compoundIndex);
// A pure element at the given density.
Material elementMaterial(int atomicNumber, double density);

// Per element, cm^2/g.
double photoelectricCrossSection(int atomicNumber, double energyKeV);
double coherentCrossSection(int atomicNumber, double energyKeV);
double incoherentCrossSection(int atomicNumber, double energyKeV);
// Klein-Nishina differential cross section of one free electron, barn/sr.
double kleinNishinaDifferentialCrossSection(double energyKeV, double theta);
// The energy that photoelectric absorption sends away as fluorescence (K and L lines,
// including cascades), as a cross section weighted by the line energy over E, cm^2/g.
double fluorescenceEscapeCrossSection(int atomicNumber, double energyKeV);

double atomicWeight(int atomicNumber);  // g/mol
double atomicFormFactor(int atomicNumber, double momentumTransfer);
// S(x, Z); below xraylib's first tabulated point (0.001 1/Angstrom) it follows S ~ x^2,
// its behaviour at small momentum transfer, and S(0, Z) = 0.
double incoherentScatteringFunction(int atomicNumber, double momentumTransfer);
// Avogadro's number times 1e-24: converts barn per atom to cm^2/g with the atomic weight.
double avogadroPerBarn();
