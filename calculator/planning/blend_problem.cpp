#include "planning/blend_problem.h"

#include "engine/runtime_error.h"

namespace quillan {

namespace {

GasMix mixOf(std::int16_t o2, std::int16_t he, std::int16_t n, bool emptyIsAir) {
    if (o2 == 0 && he == 0 && n == 0 && emptyIsAir)
        return GasMix::air();
    if (o2 < 0 || he < 0 || o2 + he > 100)
        raiseClassicError(kErrInvalidProcedureCall);
    return GasMix::percent(o2, he);
}

} // namespace

CylinderContents contentsOf(std::int16_t pressure, std::int16_t o2, std::int16_t he, std::int16_t n,
                            UnitSystem units, bool emptyIsAir) {
    return {pressureIn(units, pressure), mixOf(o2, he, n, emptyIsAir)};
}

BlendProblem problemOf(const Mixer& figures, UnitSystem units, bool emptyIsAir) {
    BlendProblem problem;
    problem.start = contentsOf(figures.SourcePSI(), figures.SourceO2(), figures.SourceHe(),
                               figures.SourceN(), units, emptyIsAir);
    problem.required = contentsOf(figures.TargetPSI(), figures.TargetO2(), figures.TargetHe(),
                                  figures.TargetN(), units, emptyIsAir);
    problem.topUp = GasMix::percent(figures.TopupMixFO2());
    return problem;
}

} // namespace quillan
