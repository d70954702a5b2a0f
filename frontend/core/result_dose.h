#pragma once
// The front end's copy of one result file: the run conditions of its header and the dose
// grid, primary and scattered as read, with the total formed afterwards.

#include <memory>
#include <stdexcept>
#include <string>

// Doses relative to the air kerma at the rotation centre without phantom, as fractions.
// Indexed (component, x, y, z): component 1 primary, 2 scattered, 0 total; x 1..200 lateral
// 1 mm cells, y 1..40 body-axis 5 mm planes, z 1..100 thickness 1 mm cells. Index 0 of x, y
// and z exists and reads 0, so rounding a position near a centre line stays inside the table.
class ResultDose {
public:
    static constexpr int lateralCells = 200;
    static constexpr int planes = 40;
    static constexpr int depthCells = 100;

    ResultDose();
    ResultDose(ResultDose&&) noexcept = default;
    ResultDose& operator=(ResultDose&&) noexcept = default;

    double operator()(int component, int x, int y, int z) const
    {
        return values_[index(component, x, y, z)];
    }
    double& operator()(int component, int x, int y, int z)
    {
        return values_[index(component, x, y, z)];
    }

    // Component 0 = component 1 + component 2 in every cell.
    void formTotals();

private:
    static std::size_t index(int component, int x, int y, int z)
    {
        // x innermost: the file's runs, the maps and the profile all walk along x.
        return ((static_cast<std::size_t>(component) * (planes + 1) + y) * (depthCells + 1) + z)
                   * (lateralCells + 1)
               + x;
    }

    struct FreeValues {
        void operator()(double* values) const;
    };
    // calloc: the system hands out zeroed pages, so a fresh 20 MB table costs no clearing pass.
    std::unique_ptr<double[], FreeValues> values_;
};

// The seven header items of a result file, in file order.
struct ResultHeader {
    std::string title;
    double sourceAxisDistance = 0;
    double beamSizeRotation = 0;
    double beamSizeBodyAxis = 0;
    double phantomA = 0; // straight length of the racetrack, cm
    double phantomB = 0; // thickness, cm
    double historyCount = 0;
};

struct ResultFile {
    ResultHeader header;
    ResultDose dose; // components 1 and 2 as read; component 0 still zero
};

// A result file that cannot be opened or read; what() names the file and what is wrong.
class ResultFileError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// The title line and the six header numbers; the grid is not looked at.
ResultHeader readResultHeader(const std::string& fileName);

// The header and all 1,600,000 dose values (component 1 then 2; y, z, x with x fastest).
// Line breaks carry no meaning: values are counted as tokens. Anything after the last value
// is ignored. Throws ResultFileError for a missing file, too few values or a token that is no
// number, naming the cell it was meant for.
ResultFile readResultFile(const std::string& fileName);
