"""The vocabulary of a demo script (tools/demo_script.py): the inputs a step
sends and the checks its screenshot must pass. Positions, of the pointer and
of checked areas, are pixels of setup's 1024x768 layout; on a larger panel
tools/run_demo.py moves them to where the layout sits (the front-end says so
on serial) and turns pointer positions into tablet units of the panel."""

SCREEN_WIDTH = 1024
SCREEN_HEIGHT = 768
TABLET_MAX = 0x7FFF


def to_tablet(pixel, size):
    """The tablet value for a screen pixel. Rounded up, so that the front-end's
    value * (size - 1) / 0x7FFF, rounded down, gives the very pixel back."""
    if not 0 <= pixel < size:
        raise ValueError("pixel %d outside 0..%d" % (pixel, size - 1))
    return -(-pixel * TABLET_MAX // (size - 1))


def to_pixel(value, size):
    """What a front-end makes of a tablet value: value * (size - 1) / 0x7FFF, rounded down."""
    return value * (size - 1) // TABLET_MAX


# ---------------------------------------------------------------- inputs
# Each input is one event the front-end handles and counts in its "READY <n>".

def key(name):
    """Presses and releases a key, by QEMU qcode: "ret", "esc", "up", "down",
    "left", "right", "tab", "spc", "a".. "z", "0".. "9"."""
    return ("key", name)


def move(x, y):
    """Moves the pointer to screen pixel (x, y). A move to where the pointer
    already is sends nothing and counts no event."""
    to_tablet(x, SCREEN_WIDTH)
    to_tablet(y, SCREEN_HEIGHT)
    return ("move", x, y)


def press(button="left"):
    return ("button", button, True)


def release(button="left"):
    return ("button", button, False)


def click(x, y, button="left"):
    """Moves, presses and releases: up to three events."""
    return [move(x, y), press(button), release(button)]


def drag(x0, y0, x1, y1, steps=4, button="left"):
    """Presses at (x0, y0), moves to (x1, y1) in even steps, releases there."""
    path = [move(x0, y0), press(button)]
    for i in range(1, steps + 1):
        path.append(move(x0 + (x1 - x0) * i // steps, y0 + (y1 - y0) * i // steps))
    return path + [release(button)]


# ---------------------------------------------------------------- checks
# Colours are 0xRRGGBB.

def pixel(x, y, colour):
    """The pixel at (x, y) has that colour."""
    return ("pixel", (x, y, 1, 1), colour)


def region(x, y, w, h, colour):
    """Every pixel of the area has that colour."""
    return ("region", (x, y, w, h), colour)


def margin(colour):
    """Every pixel of the panel around the layout has that colour."""
    return ("margin", (0, 0, SCREEN_WIDTH, SCREEN_HEIGHT), colour)


def same_as(step, x=0, y=0, w=SCREEN_WIDTH, h=SCREEN_HEIGHT):
    """The area is pixel for pixel what it was in the screenshot of an earlier step."""
    return ("same", (x, y, w, h), step)


def differs_from(step, x=0, y=0, w=SCREEN_WIDTH, h=SCREEN_HEIGHT):
    """The area changed since the screenshot of an earlier step."""
    return ("differs", (x, y, w, h), step)


def step(name, caption, inputs=(), checks=(), leaves=False):
    """One step: its inputs are sent in order, each once the front-end has
    reported the previous one handled; then the screen is photographed and checked.
    A step that leaves (e.g. Save & Exit) is the last: after its last input the
    front-end shuts down instead of answering, and the pictures it takes on the
    way out ("SCREENSHOT <name>") are the step's; it has no checks."""
    flat = []
    for item in inputs:
        flat.extend(item if isinstance(item, list) else [item])
    if leaves and (checks or not flat):
        raise ValueError("step %s leaves: it needs inputs and can have no checks" % name)
    return {"name": name, "caption": caption, "inputs": flat, "checks": list(checks), "leaves": leaves}


def boot(name, steps, serial=(), corrupt=None, panel=None):
    """One boot of a run on a kept variable store. serial: texts that must
    appear in its INFO lines. corrupt: the name of a variable whose data is
    altered in the store before this boot. panel: (width, height) of a monitor
    that prefers that mode, for this boot alone."""
    return {"name": name, "steps": list(steps), "serial": list(serial), "corrupt": corrupt,
            "panel": panel}
