#include "physics/gas_model.h"

namespace quillan {

const GasLaw& gasLawOf(GasModel model) {
    static const IdealGas ideal;
    static const VirialFit virial;
    switch (model) {
    case GasModel::IdealPartialPressures:
        break;
    case GasModel::RealGas:
        return virial;
    }
    return ideal;
}

} // namespace quillan
