#include "physics/gas_model.h"

#include "physics/gerg2008.h"

namespace quillan {

namespace {

constexpr GasModel kModels[] = {GasModel::IdealPartialPressures, GasModel::Virial,
                                GasModel::Gerg2008};

} // namespace

const GasLaw& gasLawOf(GasModel model) {
    static const IdealGas ideal;
    static const VirialFit virial;
    static const Gerg2008 gerg;
    switch (model) {
    case GasModel::IdealPartialPressures:
        break;
    case GasModel::Virial:
        return virial;
    case GasModel::Gerg2008:
        return gerg;
    }
    return ideal;
}

std::string_view gasModelName(GasModel model) {
    switch (model) {
    case GasModel::IdealPartialPressures:
        break;
    case GasModel::Virial:
        return "virial";
    case GasModel::Gerg2008:
        return "real";
    }
    return "ideal";
}

std::optional<GasModel> gasModelNamed(std::string_view name) {
    for (const GasModel model : kModels)
        if (gasModelName(model) == name)
            return model;
    return std::nullopt;
}

} // namespace quillan
