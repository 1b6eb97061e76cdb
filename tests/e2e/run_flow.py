"""Runs one flow of flows.py against the built program on a private desktop.

    run_flow.py --program BUILT_PROGRAM --flow NAME --out FOLDER

FOLDER is emptied first and then holds the case's private home, settings, data and runtime
folders, the program's output of every start, and on a failure a screenshot and the windows'
contents as AT-SPI gives them. Exit status: 0 passed, 1 failed, 77 stopped at a step that waits
for an open item (E2E_STRICT=1 makes that a failure too)."""
import argparse
import os
import subprocess
import sys
import time
import traceback

WAITING = 77


def parse():
    parser = argparse.ArgumentParser()
    parser.add_argument("--program", required=True)
    parser.add_argument("--flow", required=True)
    parser.add_argument("--out", required=True)
    return parser.parse_args()


def own_session(args):
    """Runs this script again inside a private session bus; the bus's own chatter goes to a log."""
    import shutil
    out = os.path.abspath(args.out)
    shutil.rmtree(out, ignore_errors=True)
    os.makedirs(out)
    # The bus, the window manager and the driver get private folders too.
    env = dict(os.environ, E2E_IN_SESSION="1", HOME=os.path.join(out, "desktop"))
    for key, sub in (("XDG_CONFIG_HOME", "config"), ("XDG_DATA_HOME", "data"),
                     ("XDG_CACHE_HOME", "cache"), ("XDG_RUNTIME_DIR", "runtime")):
        env[key] = os.path.join(out, "desktop", sub)
        os.makedirs(env[key], mode=0o700)
    with open(os.path.join(out, "bus.log"), "wb") as log:
        return subprocess.run(["dbus-run-session", "--", sys.executable, *sys.argv],
                              env=env, stderr=log).returncode


def run(args):
    os.dup2(1, 2)  # one stream, in order
    sys.stdout.reconfigure(line_buffering=True)
    from desktop import Display, FlowFailure, Program, dump_tree
    from flows import FLOWS

    flows = {flow.name: flow for flow in FLOWS}
    flow = flows.get(args.flow)
    if flow is None:
        print("no flow %r; flows: %s" % (args.flow, ", ".join(flows)))
        return 1
    out = os.path.abspath(args.out)
    strict = os.environ.get("E2E_STRICT") == "1"
    print("flow %s: %s" % (flow.name, flow.shows))
    began = time.monotonic()
    display = Display(out)
    context = Context(Program(os.path.abspath(args.program), out, display, flow.environment))
    stale = []
    status = 0
    try:
        for number, step in enumerate(flow.steps, 1):
            print("  %2d. %s" % (number, step.text))
            step_began = time.monotonic()
            try:
                step.run(context)
                taken = time.monotonic() - step_began
                if taken > 2:
                    print("      (%.1f s)" % taken)
            except Exception as failure:  # noqa: BLE001 - every failure gets its report
                print("      FAILED: %s" % (failure if isinstance(failure, FlowFailure)
                                            else traceback.format_exc()))
                report(display, context.program, out, dump_tree)
                # Only what the step checks counts as waiting, not a fault of the driver.
                if step.waits is not None and not strict and isinstance(failure, FlowFailure):
                    print("flow %s waits for issue 10 item %s (stopped at step %d)"
                          % (flow.name, step.waits, number))
                    status = WAITING
                else:
                    status = 1
                break
            if step.waits is not None:
                stale.append((number, step.waits))
    finally:
        context.program.stop()
        display.close()
    for number, item in stale:
        print("step %d passes now: item %s is done, drop its waits() mark" % (number, item))
        status = 1
    print("flow %s: %s in %.1f s" % (flow.name, {0: "passed", 1: "FAILED", WAITING: "waiting"}[
        status], time.monotonic() - began))
    return status


class Context:
    def __init__(self, program):
        self.program = program
        self.measured = None


def report(display, program, out, dump_tree):
    """What a person would have seen when the flow failed, and what the program said."""
    shot = display.screenshot(os.path.join(out, "failure.png"))
    print("      screenshot: %s" % (shot or "(none: ImageMagick's import failed)"))
    tree = os.path.join(out, "failure-windows.txt")
    with open(tree, "w") as f:
        try:
            for title, window in program.windows():
                f.write("window %r\n" % title)
                dump_tree(window, f, 1)
        except AssertionError as gone:
            f.write("%s\n" % gone)
    print("      windows as AT-SPI shows them: %s" % tree)
    for log in program.logs:
        print("      program output: %s" % log)


def main():
    sys.dont_write_bytecode = True  # nothing written into the source tree
    args = parse()
    if os.environ.get("E2E_IN_SESSION") != "1":
        return own_session(args)
    sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
    return run(args)


if __name__ == "__main__":
    sys.exit(main())
