#include "help_text.h"

namespace quillan::blend {

const std::string_view kHelpText = R"(NAME
       quillan-blend - plan a partial-pressure gas blend

SYNOPSIS
       quillan-blend --have MIX --want MIX [--top O2] [--depth DEPTH]
                     [--units UNITS] [--gas MODEL] [--fill-temp T] [--settle-temp T]
                     [--checkpoints] [--json]
       quillan-blend --have MIX --fill PRESSURE [--top O2] [--depth DEPTH]
                     [--units UNITS] [--gas MODEL] [--fill-temp T] [--settle-temp T]
                     [--checkpoints] [--json]
       quillan-blend best --depth DEPTH [--po2 PO2] [--end DEPTH] [--o2-narcotic yes|no]
                     [--density D] [--units UNITS] [--gas MODEL]
                     [--have MIX --fill PRESSURE [--top O2]] [--json]
       quillan-blend --help | --version

DESCRIPTION
       Works out, as the Quillan window does, how to blend a required mix from a
       starting cylinder (--want), or which mix a plain top-up gives (--fill), and
       prints the window's report line for line.

       A MIX is PRESSURE/O2/He in PSI (bar with --units metric) and whole
       percent; He may be left out (3000/32). Numbers are read in the user's
       locale and rounded to whole numbers, exact halves to even, as the window
       reads its fields.

OPTIONS
       --have MIX
              The starting cylinder: pressure 0 to 4000 PSI (0 to 275 bar),
              O2 0 to 100 %, He 0 to 90 % and at most 100 - O2 (none with O2 0
              or 100).

       --want MIX
              The required mix: pressure 0 to 4500 PSI (0 to 310 bar), O2 and
              He as for --have.

       --fill PRESSURE
              Top the starting cylinder up to this pressure, 0 to 4500 PSI
              (0 to 310 bar).

       --top O2
              The top-up gas's O2 %, 21 (air, the default) to 50.

       --depth DEPTH
              Also print the final mix's END and PO2 at this depth, 0 to 500 fsw
              (0 to 152 m).

       --units UNITS
              imperial (the default): pressures in PSI, depths in feet of sea
              water, 33 fsw to the atmosphere. metric: pressures in bar, depths
              in metres of sea water, 10 m to the atmosphere. Every input and
              every line of the report is in these units.

       --gas MODEL
              ideal (the default): gases add their own pressures, as the window
              has always planned. real: the GERG-2008 equation of state counts
              compressibility, and the plan gives the gauge reading to fill each
              gas to (a tenth of a bar in metric); the report also says which mix
              the ideal-gas figures would have given. virial: the cubic virial
              fit other dive tools use, for comparison. A helium-holding start
              that only a full drain can turn into the mix is drained to empty;
              its atmosphere stays, and the report says what the cylinder holds.

       --fill-temp T, --settle-temp T
              The cylinder's temperature while filling, and the one the required
              pressure is meant at (the starting pressure is read at it too); both
              20 C by default, -10 to 60 C. T is a number with C or F after it; a
              bare number is C with --units metric and F otherwise. The readings
              are what the gauge shows while filling; the report says what the
              cylinder reads once settled.

       --checkpoints
              Also give the O2 an analyser should read after the helium and after
              the oxygen, and the gas density at the MOD (and at --depth). Always
              on with --gas real.

       --cylinder CYLINDER
              The cylinder filled: a name (AL40, AL80, HP100, HP120, LP85, or
              12L@232, 2x12L@300 and the like) or LITRES[@PRESSURE] or
              2xLITRES[@PRESSURE]. The report then ends with the gas used by
              each step, nominal (metric: water litres x bar; imperial: rated
              cu ft x PSI / rated PSI) beside the real free gas at 1.01325 bar
              and 15 C under the gas model, the oxygen-clean line, a warning
              past the working pressure, and refuses a fill past the test
              pressure (1.5 x working).

       --price GAS=PRICE, --fill-fee FEE, --currency CODE, --charge BASIS
              With --cylinder: prices per litre (metric) or cubic foot
              (imperial) of free gas for helium, oxygen and top_up, a fee, and
              whether the nominal (the default) or the real volume is charged.
              The report gives the cost in whole cents, and what the
              least-drain plan would save.

       --plan PLAN
              classic (the default): the written pass loop; least-drain: the
              exact plan that keeps the most of the starting gas.

       --mod-po2 PO2
              Also give the final mix's MOD at this PO2, 1.2 to 1.6, after the
              MOD at 1.6; the JSON then holds "mod_at" (po2, depth).

       --json Print the plan as one JSON object instead of the report. With a
              gas model other than ideal, or other temperatures, it also holds
              "gas", the "gauge" readings (drain_to, after_helium, after_oxygen,
              after_top_up), "gauge_exact" (the same unrounded),
              "ideal_figures_mix", "settled_pressure" and "temperatures" (fill,
              settle, in C). With the checkpoints: "checkpoints",
              "density_at_mod" and, with --depth, "density_at_depth" (g/L).

       -h, --help
              Print this help and exit.

       --version
              Print the version and exit.

BEST MIX
       quillan-blend best works out what to blend for a dive to --depth: the
       most oxygen --po2 allows (1.2 to 1.6, default 1.4), and the least helium
       that keeps the END within --end (default 30 m or 100 ft) and the gas
       density within --density (default 5.2 g/L, at most 6.2) under --gas, in
       whole percent, O2 rounded down and He up. Oxygen counts as narcotic
       unless --o2-narcotic no. It names the limits the mix sits at, and where
       a mix hypoxic at the surface may first be breathed (PO2 0.16). With
       --have and --fill it also says whether the mix can be blended in that
       cylinder. --json prints o2, he, mod, end, density, binding and
       hypoxic_above; with no mix, possible is false and why_not says which
       limit fails and by how much (exit status 1).

EXIT STATUS
       0      The blend can be made; the plan is printed.
       1      The blend cannot be made; the report says why. Also when the
              calculation fails, with a message on standard error.
       2      Bad input: one message on standard error, nothing on standard output.

EXAMPLES
       quillan-blend --have 500/21/35 --want 3000/21/35
       quillan-blend --have 500/21 --fill 3000 --top 32 --depth 100
       quillan-blend --units metric --have 35/21/35 --want 200/21/35
       quillan-blend --have 0/0 --want 3000/18/45 --gas real
       quillan-blend --units metric --have 0/0 --want 207/18/45 --gas real
       quillan-blend --units metric --have 0/0 --want 200/18/45 --gas real --fill-temp 35
       quillan-blend best --depth 60 --units metric
       quillan-blend --units metric --have 0/0 --want 232/21/35 --cylinder 12L@232 \
                     --price helium=0.05 --price oxygen=0.01 --currency EUR
)";

const std::string_view kUsageHint =
    "Usage: quillan-blend --have MIX (--want MIX | --fill PRESSURE) [--top O2] [--depth DEPTH] "
    "[--units imperial|metric] [--gas ideal|virial|real] [--fill-temp T] [--settle-temp T] "
    "[--checkpoints] [--cylinder C [--price GAS=P]...] [--plan classic|least-drain] [--json]; "
    "see --help";

const std::string_view kBestUsageHint =
    "Usage: quillan-blend best --depth DEPTH [--po2 PO2] [--end DEPTH] [--o2-narcotic yes|no] "
    "[--density D] [--units imperial|metric] [--gas ideal|virial|real] "
    "[--have MIX --fill PRESSURE [--top O2]] [--json]; see --help";

const std::string_view kVersionText = "quillan-blend " QUILLAN_BLEND_VERSION;

} // namespace quillan::blend
