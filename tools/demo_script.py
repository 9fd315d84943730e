"""The steps of the scripted demo run (`make demo`), in order.

The front-end prints "READY <n>" on serial once it has handled n input
events and its screen is settled; "READY 0" when it first comes up. One key
(pressed and released), one pointer move and one button press or release
each count one event. The runner sends a step's inputs one at a time, each
after the front-end has counted the one before, then photographs the screen
as out/step-<nn>-<name>.png and runs the step's checks on it. The front-end
turns tablet values back into pixels as value * (1024 - 1) / 0x7FFF
(and 768 for y), rounded down.

The setup screen's places (pixels of its 1024x768 layout): dock item i at (100 + 51 i, 142)
(Main, Advanced, Boot, Security, Exit); setting row r of a page at y 271 + 34 r;
the header band is 0x002041, the page backdrop 0x101C26.

The pointer shows as an arrow (12x19 pixels, its tip at the pointer) after a
move; a key hides it. Checks that compare with an earlier picture keep clear
of the arrow where the two pictures would differ by it alone.

The run is four boots on one variable store (BOOTS): the first changes
settings, sets a password and saves; the second is the reboot, asked for the
password, showing what was saved; the third starts from a corrupted settings
variable and shows the defaults. They run on a 1024x768 monitor. The fourth
runs on a 1920x1080 one: setup keeps that mode, centres its layout and fills
the margin, and keys and pointer must act on the layout as on the small screen.

See tools/script_steps.py for the inputs and checks a step can hold.
"""
from script_steps import (boot, click, differs_from, drag, key, margin, move,  # noqa: F401
                          pixel, region, same_as, step)

HEADER = 0x002041
BACKDROP = 0x101C26
MARGIN = 0x080E13                  # around the layout on a larger panel
ROWS = (0, 262, 620, 170)          # the page's rows
BELOW_ROWS = (0, 540, 620, 180)    # the empty page under the help box
SIDE = (620, 200, 404, 230)        # gauge panel and tiles
BELOW_HEADER = (0, 104, 1024, 664)  # all but the clock's band
BELOW_DOCK = (0, 200, 1024, 568)   # all but the header and the dock (where hovering leaves the arrow)
DIALOG = (300, 300, 424, 190)      # the password dialog
EMPTY_PAGE = (40, 262, 250, 150)   # rows' place, bare while setup asks for the password
FAN_GAUGE = (640, 214, 360, 90)
ARROW = (12, 19)


def row_y(r):
    return 271 + 34 * r


def dock_x(i):
    return 100 + 51 * i


STEPS = [
    step("start", "The setup screen as it comes up: banner and clock, the page dock, the Main "
         "page with its rows, the fan and temperature gauge and the system tiles.", [],
         [pixel(600, 8, HEADER), pixel(20, 600, BACKDROP), region(20, 560, 560, 100, BACKDROP)]),
    step("rows-down", "Down moves the focus along the rows; the disabled Processor row is "
         "skipped, and the help box speaks of the focused row.", [key("down"), key("down")],
         [differs_from("start", *ROWS), differs_from("start", 40, 470, 560, 64),
          same_as("start", *SIDE)]),
    step("rows-up", "Up brings the focus back to the first row.", [key("up"), key("up")],
         [same_as("start", *BELOW_HEADER)]),
    step("choice-open", "Enter on Language opens its option popup, the current choice focused.",
         [key("ret")], [differs_from("start", 240, 300, 315, 200)]),
    step("choice-pick", "Down and Enter pick Deutsch: the popup closes, the screen under it "
         "comes back and the row shows the new value.", [key("down"), key("ret")],
         [same_as("start", 0, 290, 1024, 478), differs_from("start", 280, 262, 320, 19)]),
    step("list-open", "Enter on Keyboard layout opens a list popup with a scroll bar.",
         [key("down"), key("ret")], [differs_from("choice-pick", 260, 236, 280, 292)]),
    step("list-scroll", "Down moves the selection; the list scrolls to keep it in view.",
         [key("down")] * 10, [differs_from("list-open", 260, 320, 280, 200)]),
    step("list-pick", "Enter takes Swedish and closes the list.", [key("ret")],
         [same_as("choice-pick", *BELOW_ROWS), same_as("choice-pick", *SIDE)]),
    step("cursor-show", "A pointer move shows the arrow where the pointer is.", [move(500, 600)],
         [pixel(500, 600, 0x000000), pixel(502, 606, 0xFFFFFF),
          differs_from("list-pick", 500, 600, *ARROW)]),
    step("cursor-move", "A second move takes the arrow along; nothing is left where it was.",
         [move(560, 620)], [same_as("list-pick", 500, 600, *ARROW), pixel(560, 620, 0x000000)]),
    step("cursor-popup", "A click on the focused Keyboard layout row opens its list under the "
         "arrow; Esc closes it and hides the arrow: the screen is exactly as before.",
         click(300, row_y(1)) + [key("esc")], [same_as("list-pick", *BELOW_HEADER)]),
    step("dock-hover", "Hovering the dock shows the Boot page and the item's label.",
         [move(dock_x(2), 142)], [differs_from("list-pick", *ROWS)]),
    step("order-open", "A click on the focused Boot order row opens its option popup.",
         click(300, row_y(0)), [differs_from("dock-hover", 240, 300, 315, 200)]),
    step("order-drag", "Dragging Windows Boot Manager down one place reorders the list.",
         drag(400, 375, 400, 425), [differs_from("order-open", 240, 350, 315, 100)]),
    step("order-close", "The close box closes the popup; the screen under it comes back and "
         "the row names the new first entry, debian.", click(536, 310),
         [same_as("dock-hover", 0, 290, 530, 430), differs_from("dock-hover", 280, 262, 320, 19)]),
    step("slider-keys", "Left goes to the Advanced page; on its Fan duty row Right moves the "
         "slider, and the fan gauge follows.",
         [key("left"), key("down"), key("down"), key("right"), key("right")],
         [differs_from("order-close", 640, 214, 360, 90)]),
    step("slider-drag", "Dragging the knob back sets the fan duty to 20 %.",
         drag(492, row_y(2), 420, row_y(2)), [differs_from("slider-keys", 640, 214, 360, 90)]),
    step("password-open", "Over to Security: a click on Supervisor password opens the masked "
         "input dialog.", [move(dock_x(3), 142)] + click(300, row_y(0)),
         [differs_from("slider-drag", 300, 300, 424, 190)]),
    step("password-type", "The password is typed; the field shows asterisks only.",
         [key(c) for c in "secret"], [differs_from("password-open", 300, 380, 424, 30)]),
    step("password-ok", "OK keeps it: the dialog closes and the row says Set.",
         click(423, 437), [same_as("slider-drag", *BELOW_ROWS)]),
    step("exit-page", "Hovering the last dock item shows the Exit page.",
         [move(dock_x(4), 142)], [differs_from("password-ok", *ROWS)]),
    step("confirm", "Enter on Save changes and exit asks first, Save focused.", [key("ret")],
         [differs_from("exit-page", 330, 290, 360, 150)]),
    step("confirm-cancel", "Right and Enter choose Cancel: the screen comes back as it was "
         "(the keys took the arrow away).", [key("right"), key("ret")],
         [same_as("exit-page", *BELOW_DOCK)]),
    step("save", "Enter and Enter again save: the settings are written, a progress bar runs, "
         "the screen dims and the farewell picture wipes in over it.", [key("ret"), key("ret")],
         [pixel(0, 0, 0x000000), pixel(1023, 767, 0x000000), differs_from("exit-page")]),
]

# The reboot: the same variable store, so the password is asked first.
REBOOT = [
    step("reboot-prompt", "After the reboot setup asks for the supervisor password before any "
         "page shows.", [], [differs_from("start", *DIALOG), region(*EMPTY_PAGE, BACKDROP)]),
    step("reboot-wrong", "A wrong password: the dialog asks again, without saying what was "
         "wrong, and still no page shows.", [key(c) for c in "wrong"] + [key("ret")],
         [differs_from("reboot-prompt", *DIALOG), region(*EMPTY_PAGE, BACKDROP)]),
    step("reboot-right", "The right one opens setup with the saved values: Deutsch on the Main "
         "page and the fan at 20 %.", [key(c) for c in "secret"] + [key("ret")],
         [same_as("choice-pick", 0, 262, 620, 19), same_as("slider-drag", *FAN_GAUGE),
          differs_from("start", 0, 262, 620, 19)]),
    step("reboot-boot", "The Boot page names debian first, as the drag left it.",
         [move(dock_x(2), 142)], [same_as("order-close", 0, 262, 620, 19)]),
    step("reboot-security", "The Security page says the password is set.",
         [move(dock_x(3), 142)], [same_as("password-ok", 0, 262, 620, 19)]),
    step("reboot-discard", "Discard changes and exit leaves setup and the variable as they were.",
         [move(dock_x(4), 142), key("down"), key("ret")], leaves=True),
]

# A variable whose data was altered: its checksum fails, setup starts from the defaults.
CORRUPTED = [
    step("corrupted-start", "With the settings variable corrupted setup opens without a "
         "password and with the defaults, and says so on serial.", [],
         [same_as("start", *BELOW_HEADER)]),
    step("corrupted-discard", "Discard changes and exit.",
         [move(dock_x(4), 142), key("down"), key("ret")], leaves=True),
]

# A 1920x1080 monitor: OVMF starts in its preferred mode and setup keeps it.
# The variable is still the corrupted one, so these are the defaults again.
PANEL = [
    step("panel-start", "On a 1920x1080 monitor setup stays in the mode OVMF started in, the "
         "monitor's own, though 1024x768 is offered: the layout is centred and the margin filled.",
         [], [margin(MARGIN), same_as("start", *BELOW_HEADER)]),
    step("panel-rows", "Down and Down move the focus as on the small screen.",
         [key("down"), key("down")], [margin(MARGIN), same_as("rows-down", *BELOW_HEADER)]),
    step("panel-hover", "The pointer lands on the layout: hovering the Boot item shows the "
         "Boot page, the arrow at the same place of the layout as on the small screen.",
         [move(dock_x(2), 142)], [margin(MARGIN), same_as("dock-hover", *ROWS),
                                  same_as("dock-hover", dock_x(2) - 20, 120, 60, 60)]),
    step("panel-click", "A click on the Boot order row opens its popup.", click(300, row_y(0)),
         [margin(MARGIN), same_as("order-open", 240, 300, 315, 200)]),
    step("panel-close", "Esc closes it; the page comes back and nothing spilled into the margin.",
         [key("esc")], [margin(MARGIN), same_as("panel-hover", *BELOW_DOCK)]),
    step("panel-discard", "Discard changes and exit.",
         [move(dock_x(4), 142), key("down"), key("ret")], leaves=True),
]

BOOTS = [
    boot("first", STEPS, serial=["settings: the defaults, the variable is missing",
                                 "settings: saved"]),
    boot("reboot", REBOOT),
    boot("corrupted", CORRUPTED, corrupt="OrvaneSetup",
         serial=["settings: the defaults, the variable is with a bad checksum"]),
    boot("panel", PANEL, panel=(1920, 1080),
         serial=["display 1920x1080 ", "panel 1920x1080, layout at 448,156"]),
]
