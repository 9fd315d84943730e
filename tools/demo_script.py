"""The steps of the scripted demo run (`make demo`), in order.

The front-end prints "READY <n>" on serial once it has handled n input
events and its screen is settled; "READY 0" when it first comes up. One key
(pressed and released), one pointer move and one button press or release
each count one event. The runner sends a step's inputs one at a time, each
after the front-end has counted the one before, then photographs the screen
as out/step-<nn>-<name>.png and runs the step's checks on it. The front-end
turns tablet values back into pixels as value * (1024 - 1) / 0x7FFF
(and 768 for y), rounded down.

See tools/script_steps.py for the inputs and checks a step can hold.
"""
from script_steps import click, differs_from, key, move, same_as, step  # noqa: F401

STEPS = [
    step("start", "The setup screen as it comes up."),
    step("pointer", "The pointer moves to the middle of the screen.", [move(512, 384)]),
    step("down", "The down key moves the focus one row down.", [key("down")],
         [differs_from("start", 0, 0, 1024, 768)]),
    step("up", "The up key brings the focus back.", [key("up")]),
]
