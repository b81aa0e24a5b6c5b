#!/usr/bin/env bash
# Start-up cost of the calculator against a minimal Qt Widgets program:
#   bench/ui/startup.sh [BUILD_DIR] [RUNS]      (defaults: build, 15)
#
# Each program is started on the offscreen platform with Qt's own widget-painting log
# switched on (QT_LOGGING_RULES=qt.widgets.painting=true, an ordinary Qt setting that
# neither program reads). The clock runs from just before the launch until the first
# "Flushing" line, which Qt writes when a window's first painted frame reaches its backing
# store, that is when the window is first exposed: the disclaimer for the calculator, the
# one dialog for the minimal program. The process is then killed and its peak resident
# memory read from the kernel's accounting of the child (getrusage, ru_maxrss). Runs
# alternate between the two programs; the medians are compared.
set -euo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)
build=${1:-build}
runs=${2:-15}
case "$build" in /*) ;; *) build="$root/$build" ;; esac

exec python3 - "$build/bin/Quillan1" "$build/bin/bench_minimal_window" "$runs" <<'PY'
import os, resource, select, signal, statistics, subprocess, sys, tempfile, time

calculator, minimal, runs = sys.argv[1], sys.argv[2], int(sys.argv[3])

def one_run(program):
    with tempfile.TemporaryDirectory() as home:
        env = dict(os.environ, QT_QPA_PLATFORM="offscreen", XDG_DATA_HOME=home, HOME=home,
                   XDG_RUNTIME_DIR=home, QT_LOGGING_RULES="qt.widgets.painting=true",
                   QT_MESSAGE_PATTERN="%{message}")
        start = time.monotonic()
        child = subprocess.Popen([program], env=env, stdout=subprocess.DEVNULL,
                                 stderr=subprocess.PIPE, bufsize=0)
        exposed, pending = None, b""
        while exposed is None:
            ready, _, _ = select.select([child.stderr], [], [], 20)
            if not ready:
                break
            chunk = os.read(child.stderr.fileno(), 65536)
            if not chunk:
                break
            pending += chunk
            if b"\nFlushing " in b"\n" + pending:
                exposed = time.monotonic() - start
        child.send_signal(signal.SIGKILL)
        _, _, usage = os.wait4(child.pid, 0)
        child.stderr.close()
        if exposed is None:
            sys.exit(f"{program}: no window was exposed")
        return exposed * 1000.0, usage.ru_maxrss / 1024.0

times = {calculator: [], minimal: []}
memory = {calculator: [], minimal: []}
one_run(calculator), one_run(minimal)  # warm the file cache; not counted
for _ in range(runs):
    for program in (calculator, minimal):
        ms, mib = one_run(program)
        times[program].append(ms)
        memory[program].append(mib)

def row(name, program):
    t, m = times[program], memory[program]
    return (f"{name:<22} {statistics.median(t):8.1f} {min(t):8.1f} {max(t):8.1f}"
            f" {statistics.median(m):9.1f} {max(m):9.1f}")

print(f"{runs} runs each; time from launch to the first exposed window, peak RSS")
print(f"{'program':<22} {'median':>8} {'min':>8} {'max':>8} {'RSS MiB':>9} {'max MiB':>9}")
print(f"{'':<22} {'ms':>8} {'ms':>8} {'ms':>8} {'median':>9} {'':>9}")
print(row("Quillan1 (disclaimer)", calculator))
print(row("minimal Qt window", minimal))
ratio_t = statistics.median(times[calculator]) / statistics.median(times[minimal])
ratio_m = statistics.median(memory[calculator]) / statistics.median(memory[minimal])
print(f"ratio: time {ratio_t:.2f}x, memory {ratio_m:.2f}x (target: at most 1.30x each)")
PY
