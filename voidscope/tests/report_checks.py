"""What the report tests in a browser and a Markdown renderer share: checks
that are counted and go on after a failure, and the closing line."""
import sys

failures = []
checked = 0


def check(condition, what):
    global checked
    checked += 1
    if not condition:
        failures.append(what)
        print("FAIL:", what)


def finish():
    print(f"{checked - len(failures)} passed, {len(failures)} failed")
    sys.exit(1 if failures else 0)
