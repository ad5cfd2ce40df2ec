#!/usr/bin/env python3
"""The layer check finds exactly the wrong includes of a small tree, and passes a right one.

    check_layers_test.py CHECKER FIXTURE_DIR
"""
import subprocess
import sys

CASES = [
    # tree, exit status, the violations reported (file under the tree's core, line, message)
    ("right", 0, []),
    ("wrong", 1, [
        "blocks/Gain.cpp:4: blocks may not include core/model/CTarvekDoc.h",
        "engine/Driver.cpp:3: the core may not include QString",
        "model/Chart.h:3: model may not include core/model/views/ViewState.h",
        "model/views/Report.h:3: model/views may not include core/engine/RunEnd.h",
        "settings/Group.h:2: the core may not include gui/app/CommandIds.h",
        "settings/Group.h:3: the core may not include qtconcurrentrun.h",
    ]),
]


def main(checker, fixture):
    failures = 0
    for tree, status, expected in CASES:
        core = f"{fixture}/{tree}/core"
        run = subprocess.run([sys.executable, checker, core], capture_output=True, text=True)
        reported = [line[len(core) + 1:] for line in run.stdout.splitlines() if line.startswith(core + "/")]
        if run.returncode != status or reported != expected:
            failures += 1
            print(f"{tree}: exit {run.returncode} (expected {status})\n{run.stdout}{run.stderr}")
    return 1 if failures else 0


if __name__ == "__main__":
    if len(sys.argv) != 3:
        sys.exit(__doc__)
    sys.exit(main(sys.argv[1], sys.argv[2]))
