#include "data_files.h"

#include "physics_tables.h"
#include "text_layout.h"

namespace {

constexpr int binCount = 300;
// The loader ignores the energy column of the 300-bin files; four digits (which the 9- and
// 10-character fields hold) keep every half-keV bin energy such as 0.1055 MeV exact.
constexpr int binEnergyDigits = 4;
double binEnergyKeV(int bin) { return 0.5 * bin; }
float toMeV(double energyKeV) { return static_cast<float>(energyKeV / 1000.0); }
float single(double value) { return static_cast<float>(value); }

} // namespace

std::string softTissueFileText()
{
    const Material tissue = softTissue();
    const std::vector<double> energies = tissueEnergiesKeV();
    std::string text = formatI(static_cast<int>(energies.size()), 5) + "\n";
    // The header value is the density the coefficients per cm are given for.
    text += formatF(1.0f, 8, 3) + "\n";
    for (double energy : energies) {
        // Unit density: the coefficients per cm are the mass coefficients times 1.0.
        InteractionCoefficients c = massCoefficients(tissue, energy);
        text += formatE(toMeV(energy), 9, 3) + formatE(single(c.coherent), 10, 3) +
                formatE(single(c.incoherent), 10, 3) + formatE(single(c.photoelectric), 10, 3) +
                "\n";
    }
    const std::vector<double> grid = momentumTransferGrid();
    const std::vector<double> cumulative = coherentCumulative(tissue, grid);
    for (std::size_t i = 0; i < grid.size(); ++i) {
        text += formatE(single(grid[i]), 10, 3) + formatE(single(cumulative[i]), 12, 5) +
                formatE(single(molecularIncoherentFunction(tissue, grid[i])), 12, 5) + "\n";
    }
    return text;
}

std::string airEnergyTransferFileText()
{
    const Material air = dryAir();
    std::string text;
    for (int bin = 1; bin <= binCount; ++bin) {
        double energy = binEnergyKeV(bin);
        text += formatE(toMeV(energy), 9, binEnergyDigits) +
                formatE(single(massEnergyTransfer(air, energy)), 12, 4) + "\n";
    }
    return text;
}

std::string filterAttenuationFileText()
{
    const Material filter = aluminium();
    std::string text;
    for (int bin = 1; bin <= binCount; ++bin) {
        double energy = binEnergyKeV(bin);
        InteractionCoefficients c = massCoefficients(filter, energy);
        // Mass attenuation, linear attenuation (the column the engine reads), then the
        // coherent and incoherent mass coefficients; all include coherent scattering.
        text += formatE(toMeV(energy), 10, binEnergyDigits) + formatE(single(c.total()), 13, 5) +
                formatE(single(c.total() * filter.density), 13, 5) +
                formatE(single(c.coherent), 13, 5) + formatE(single(c.incoherent), 13, 5) + "\n";
    }
    return text;
}
