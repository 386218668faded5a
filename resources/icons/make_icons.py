#!/usr/bin/env python3
"""Draws the program's pictures as SVG files and writes icons.qrc.

All lettering uses a small stroke alphabet defined here, so the pictures look the
same on every machine whatever fonts are installed. Run from this folder:
    python3 make_icons.py
"""
import os

HERE = os.path.dirname(os.path.abspath(__file__))

# Palette: one set of hues for every picture.
GREEN = ("#8af27e", "#2eb82e", "#19771b")     # light, base, dark
RED = ("#ff9b8f", "#e0231c", "#8f1010")
AMBER = ("#ffe680", "#f2b800", "#a86f00")
BLUE = ("#6fa6e8", "#2763b0", "#153c70")
OFF = ("#868d93", "#5b6268", "#3b4045")
BEZEL = ("#50565c", "#2a2e32", "#15181a")
INK = "#1d2125"

# Stroke alphabet on a grid: cap height 6 units (y grows down, baseline y = 6).
GLYPHS = {
    "A": (4.0, [[(0, 6), (2, 0), (4, 6)], [(0.7, 4), (3.3, 4)]]),
    "W": (5.2, [[(0, 0), (1.3, 6), (2.6, 1.6), (3.9, 6), (5.2, 0)]]),
    "R": (3.9, [[(0, 6), (0, 0), (2.6, 0), (3.5, 0.8), (3.5, 2.2), (2.6, 3), (0, 3)], [(2.1, 3), (3.9, 6)]]),
    "I": (1.0, [[(0.5, 0), (0.5, 6)]]),
    "S": (3.8, [[(3.6, 0.9), (2.8, 0), (1, 0), (0.2, 0.8), (0.2, 2.1), (1, 2.9), (2.8, 3.1), (3.7, 3.9),
                 (3.7, 5.2), (2.9, 6), (0.9, 6), (0, 5.1)]]),
    "P": (3.7, [[(0, 6), (0, 0), (2.7, 0), (3.6, 0.8), (3.6, 2.4), (2.7, 3.2), (0, 3.2)]]),
    "Z": (3.8, [[(0, 0), (3.8, 0), (0, 6), (3.8, 6)]]),
    "T": (4.0, [[(0, 0), (4, 0)], [(2, 0), (2, 6)]]),
    "O": (4.2, [[(1.2, 0), (3, 0), (4.2, 1.2), (4.2, 4.8), (3, 6), (1.2, 6), (0, 4.8), (0, 1.2), (1.2, 0)]]),
    "E": (3.5, [[(3.5, 0), (0, 0), (0, 6), (3.5, 6)], [(0, 3), (2.9, 3)]]),
    "M": (4.6, [[(0, 6), (0, 0), (2.3, 4), (4.6, 0), (4.6, 6)]]),
    "e": (3.4, [[(0.1, 4), (3.3, 4), (3.3, 3), (2.5, 2.1), (0.9, 2.1), (0.1, 2.9), (0.1, 5.2), (0.9, 6),
                 (2.5, 6), (3.2, 5.4)]]),
    "j": (1.4, [[(1.4, 2.1), (1.4, 6.6), (0.8, 7.4), (-0.2, 7.4)], ("dot", 1.4, 0.6)]),
    ".": (0.9, [("dot", 0.45, 5.8)]),
    "3": (3.7, [[(0.1, 0.8), (0.9, 0), (2.7, 0), (3.5, 0.8), (3.5, 2.1), (2.7, 2.9), (1.3, 2.9)],
                [(2.7, 2.9), (3.7, 3.8), (3.7, 5.2), (2.9, 6), (0.9, 6), (0, 5.2)]]),
    "~": (4.0, [[(0, 3.7), (0.6, 3), (1.3, 2.8), (2.7, 3.4), (3.4, 3.2), (4, 2.5)]]),
    " ": (1.6, []),
}
SPACING = 1.25


def text_width(s):
    widths = [GLYPHS[c][0] for c in s]
    return sum(widths) + SPACING * (len(s) - 1)


def text(s, cx, cy, cap, stroke, colour):
    """Stroke lettering centred horizontally on cx, caps centred vertically on cy."""
    k = cap / 6.0
    x = cx - text_width(s) * k / 2
    y0 = cy - cap / 2
    paths, dots = [], []
    for c in s:
        w, strokes = GLYPHS[c]
        for st in strokes:
            if isinstance(st, tuple) and st[0] == "dot":
                dots.append((x + st[1] * k, y0 + st[2] * k))
                continue
            pts = " L".join(f"{x + px * k:.2f},{y0 + py * k:.2f}" for px, py in st)
            paths.append("M" + pts)
        x += (w + SPACING) * k
    out = [f'<path d="{" ".join(paths)}" fill="none" stroke="{colour}" stroke-width="{stroke}" '
           f'stroke-linecap="round" stroke-linejoin="round"/>'] if paths else []
    for dx, dy in dots:
        out.append(f'<circle cx="{dx:.2f}" cy="{dy:.2f}" r="{stroke * 0.62:.2f}" fill="{colour}"/>')
    return "\n".join(out)


def svg(w, h, body, defs=""):
    return (f'<svg xmlns="http://www.w3.org/2000/svg" version="1.2" baseProfile="tiny" '
            f'width="{w}" height="{h}" viewBox="0 0 {w} {h}">\n'
            + (f"<defs>\n{defs}\n</defs>\n" if defs else "") + body + "\n</svg>\n")


def vgrad(gid, stops):
    s = "".join(f'<stop offset="{o}" stop-color="{c}"/>' for o, c in stops)
    return f'<linearGradient id="{gid}" x1="0" y1="0" x2="0" y2="1">{s}</linearGradient>'


def rgrad(gid, stops, cx=0.4, cy=0.35, r=0.65):
    s = "".join(f'<stop offset="{o}" stop-color="{c}"/>' for o, c in stops)
    return f'<radialGradient id="{gid}" cx="{cx}" cy="{cy}" r="{r}">{s}</radialGradient>'


def round_led(hue, lit):
    light, base, dark = hue
    defs = vgrad("bz", [(0, BEZEL[0]), (1, BEZEL[2])])
    if lit:
        defs += rgrad("ln", [(0, "#ffffff"), (0.25, light), (0.7, base), (1, dark)])
        glow = f'<circle cx="8" cy="8" r="7.6" fill="{light}" fill-opacity="0.25"/>'
    else:
        defs += rgrad("ln", [(0, "#a7adb2"), (0.6, OFF[1]), (1, OFF[2])])
        glow = ""
    body = (glow + '<circle cx="8" cy="8" r="7" fill="url(#bz)"/>'
            '<circle cx="8" cy="8" r="5.3" fill="url(#ln)"/>'
            '<ellipse cx="6.6" cy="5.9" rx="2.1" ry="1.3" fill="#ffffff" fill-opacity="%s"/>' % ("0.75" if lit else "0.35"))
    return svg(16, 16, body, defs)


def lettered(label, w, hue, lit, dark_text=False):
    h = 20
    light, base, dark = hue if lit else OFF
    defs = vgrad("bz", [(0, BEZEL[0]), (1, BEZEL[2])])
    if lit:
        defs += vgrad("lp", [(0, light), (0.45, base), (1, dark)])
        ink = INK if dark_text else "#ffffff"
    else:
        defs += vgrad("lp", [(0, "#575d63"), (1, "#363b40")])
        ink = "#8e959b"
    body = (f'<rect x="0.5" y="0.5" width="{w - 1}" height="{h - 1}" rx="3" fill="url(#bz)"/>'
            f'<rect x="2.5" y="2.5" width="{w - 5}" height="{h - 5}" rx="1.8" fill="url(#lp)"/>'
            f'<rect x="3.5" y="3" width="{w - 7}" height="4" rx="1.5" fill="#ffffff" fill-opacity="{0.3 if lit else 0.08}"/>')
    body += text(label, w / 2, 10, 7, 1.5, ink)
    return svg(w, h, body, defs)


def push_button(label, hue, symbol, dark_text=False):
    w, h = 84, 20
    light, base, dark = hue
    ink = INK if dark_text else "#ffffff"
    defs = vgrad("bd", [(0, light), (0.5, base), (1, dark)])
    body = (f'<rect x="0.5" y="0.5" width="{w - 1}" height="{h - 1}" rx="3.5" fill="url(#bd)" stroke="{INK}" stroke-width="1"/>'
            f'<rect x="2" y="1.6" width="{w - 4}" height="6" rx="2.5" fill="#ffffff" fill-opacity="0.28"/>')
    tw = text_width(label) * 7 / 6
    if symbol:
        total = tw + 12
        sx = (w - total) / 2
        if symbol == "play":
            body += f'<path d="M{sx:.1f},5.5 L{sx + 8:.1f},10 L{sx:.1f},14.5 Z" fill="{ink}"/>'
        elif symbol == "stop":
            body += f'<rect x="{sx:.1f}" y="6" width="8" height="8" rx="1" fill="{ink}"/>'
        body += text(label, sx + 12 + tw / 2, 10, 7, 1.6, ink)
    else:
        body += text(label, w / 2, 10, 7, 1.6, ink)
    return svg(w, h, body, defs)


def motor():
    w, h = 48, 40
    defs = vgrad("body", [(0, "#7fa7d6"), (0.35, "#3d70ad"), (1, "#1b3f6c")])
    defs += vgrad("steel", [(0, "#e6e9ec"), (0.5, "#a9b0b6"), (1, "#6c737a")])
    body = ('<rect x="5" y="33" width="28" height="4" rx="1" fill="#2a2e32"/>'           # base plate
            '<rect x="8" y="29" width="5" height="6" fill="#2a2e32"/>'
            '<rect x="25" y="29" width="5" height="6" fill="#2a2e32"/>'
            '<rect x="15" y="6" width="10" height="6" rx="1" fill="url(#body)" stroke="#153c70" stroke-width="0.8"/>'  # terminal box
            '<rect x="36" y="17" width="10" height="5" fill="url(#steel)" stroke="#4a5056" stroke-width="0.6"/>'       # shaft
            '<rect x="33" y="13" width="4" height="13" rx="1" fill="url(#steel)" stroke="#4a5056" stroke-width="0.6"/>'  # end shield
            '<rect x="2" y="11" width="32" height="20" rx="3" fill="url(#body)" stroke="#153c70" stroke-width="1"/>')
    for x in range(6, 32, 4):
        body += f'<line x1="{x}" y1="12.5" x2="{x}" y2="15" stroke="#153c70" stroke-width="0.8"/>'
        body += f'<line x1="{x}" y1="27" x2="{x}" y2="29.5" stroke="#153c70" stroke-width="0.8"/>'
    body += text("M 3~", 18, 21, 7, 1.5, "#ffffff")
    return svg(w, h, body, defs)


def link(state):
    w, h = 40, 40
    defs = vgrad("scr", [(0, "#dfe8f2"), (1, "#9fb4c9")])
    defs += vgrad("dev", [(0, "#d9dcd4"), (1, "#9ea397")])
    # Computer on the left, relay module on the right.
    body = ('<rect x="1.5" y="9.5" width="14" height="11" rx="1.2" fill="url(#scr)" stroke="#2a2e32" stroke-width="1.2"/>'
            '<rect x="6" y="21" width="5" height="3" fill="#2a2e32"/>'
            '<rect x="3" y="24" width="11" height="2" rx="0.8" fill="#2a2e32"/>'
            '<rect x="26.5" y="6.5" width="12" height="24" rx="1.2" fill="url(#dev)" stroke="#2a2e32" stroke-width="1.2"/>'
            '<rect x="28.5" y="9" width="8" height="5" fill="#26323d"/>'
            '<rect x="26.5" y="30" width="12" height="2.5" fill="#2a2e32"/>')
    led = {"idle": OFF[0], "active": GREEN[1], "error": RED[1]}[state]
    body += f'<circle cx="30.5" cy="18" r="1.6" fill="{led}"/>'
    body += '<line x1="29" y1="23" x2="36" y2="23" stroke="#6a7067" stroke-width="1"/><line x1="29" y1="25.5" x2="36" y2="25.5" stroke="#6a7067" stroke-width="1"/>'
    if state == "idle":
        for x in (18.5, 21.5, 24.5):
            body += f'<circle cx="{x - 0.5}" cy="15" r="1.1" fill="#8e959b"/>'
    elif state == "active":
        c = GREEN[2]
        body += (f'<path d="M17.5,12.5 L22,12.5 L22,10.5 L25.5,13.5 L22,16.5 L22,14.5 L17.5,14.5 Z" fill="{GREEN[1]}" stroke="{c}" stroke-width="0.6" stroke-linejoin="round"/>'
                 f'<path d="M25,19.5 L20.5,19.5 L20.5,21.5 L17,18.5 L20.5,15.5 L20.5,17.5 L25,17.5 Z" fill="{GREEN[1]}" stroke="{c}" stroke-width="0.6" stroke-linejoin="round" transform="translate(0,2)"/>')
    else:
        body += ('<path d="M16.5,15 L19.5,15 M23,15 L26,15" stroke="#5b6268" stroke-width="1.6" stroke-linecap="round"/>'
                 f'<circle cx="20" cy="31" r="7" fill="{RED[1]}" stroke="{RED[2]}" stroke-width="1"/>'
                 '<path d="M17,28 L23,34 M23,28 L17,34" stroke="#ffffff" stroke-width="2" stroke-linecap="round"/>')
    return svg(w, h, body, defs)


def clock():
    defs = vgrad("bz", [(0, BEZEL[0]), (1, BEZEL[2])])
    body = ('<circle cx="12" cy="12" r="11.3" fill="url(#bz)"/>'
            '<circle cx="12" cy="12" r="9.3" fill="#f7f7f2"/>')
    import math
    for i in range(12):
        a = math.radians(i * 30)
        r1 = 7.2 if i % 3 else 6.3
        x1, y1 = 12 + r1 * math.sin(a), 12 - r1 * math.cos(a)
        x2, y2 = 12 + 8.4 * math.sin(a), 12 - 8.4 * math.cos(a)
        wdt = 1.3 if i % 3 == 0 else 0.8
        body += f'<line x1="{x1:.2f}" y1="{y1:.2f}" x2="{x2:.2f}" y2="{y2:.2f}" stroke="{INK}" stroke-width="{wdt}"/>'
    body += (f'<line x1="12" y1="12" x2="8.2" y2="9.6" stroke="{INK}" stroke-width="1.8" stroke-linecap="round"/>'
             f'<line x1="12" y1="12" x2="16.6" y2="7.4" stroke="{INK}" stroke-width="1.3" stroke-linecap="round"/>'
             f'<line x1="12" y1="12" x2="12" y2="19" stroke="{RED[1]}" stroke-width="0.7" stroke-linecap="round"/>'
             f'<circle cx="12" cy="12" r="1.3" fill="{RED[1]}"/>')
    return svg(24, 24, body, defs)


def tray(state):
    defs = vgrad("db", [(0, BLUE[0]), (1, BLUE[2])])
    # A small stack of disks: the measurement database.
    body = ('<path d="M1.5,3.5 L1.5,12.5 A5.5,2 0 0 0 12.5,12.5 L12.5,3.5" fill="url(#db)" stroke="#0f2a4d" stroke-width="1"/>'
            '<ellipse cx="7" cy="3.5" rx="5.5" ry="2" fill="#9cc3ef" stroke="#0f2a4d" stroke-width="1"/>'
            '<path d="M1.5,6.8 A5.5,2 0 0 0 12.5,6.8 M1.5,9.8 A5.5,2 0 0 0 12.5,9.8" fill="none" stroke="#0f2a4d" stroke-width="0.7"/>')
    if state == "recording":
        body += f'<circle cx="11.5" cy="11.5" r="4" fill="{RED[1]}" stroke="#ffffff" stroke-width="1"/>'
    elif state == "paused":
        body += (f'<circle cx="11.5" cy="11.5" r="4.2" fill="{AMBER[1]}" stroke="#ffffff" stroke-width="1"/>'
                 f'<path d="M10.2,9.5 L10.2,13.5 M12.8,9.5 L12.8,13.5" stroke="{INK}" stroke-width="1.3"/>')
    elif state == "error":
        body += (f'<circle cx="11.5" cy="11.5" r="4.2" fill="{RED[2]}" stroke="#ffffff" stroke-width="1"/>'
                 '<path d="M9.9,9.9 L13.1,13.1 M13.1,9.9 L9.9,13.1" stroke="#ffffff" stroke-width="1.3" stroke-linecap="round"/>')
    return svg(16, 16, body, defs)


def program():
    w = h = 64
    defs = vgrad("bg", [(0, "#3b78c4"), (1, "#143766")])
    defs += vgrad("sh", [(0, AMBER[0]), (1, AMBER[1])])
    body = (f'<rect x="2" y="2" width="60" height="60" rx="10" fill="url(#bg)" stroke="#0d2747" stroke-width="2"/>'
            '<circle cx="28" cy="29" r="17" fill="none" stroke="#ffffff" stroke-width="3.5"/>')
    body += text("M", 28, 25, 12, 3.2, "#ffffff")
    body += text("3~", 28, 37, 6, 1.8, "#ffffff")
    # Protection shield with the lightning mark.
    body += ('<path d="M46,34 L59,38 L59,47 C59,53 53,57 46,60 C39,57 33,53 33,47 L33,38 Z" fill="url(#sh)" stroke="#0d2747" stroke-width="1.6" stroke-linejoin="round"/>'
             f'<path d="M48,39 L41,48.5 L46,48.5 L44,56 L51,46 L46,46 Z" fill="{INK}"/>')
    return svg(w, h, body, defs)


PICTURES = {
    "led_green": lambda: round_led(GREEN, True),
    "led_red": lambda: round_led(RED, True),
    "led_yellow": lambda: round_led(AMBER, True),
    "led_off": lambda: round_led(OFF, False),
    "led_fault_on": lambda: lettered("AWARIA", 128, RED, True),
    "led_fault_off": lambda: lettered("AWARIA", 128, RED, False),
    "led_inputs_on": lambda: lettered("Wej.Ze.", 48, AMBER, True, dark_text=True),
    "led_inputs_off": lambda: lettered("Wej.Ze.", 48, AMBER, False),
    "led_spz_on": lambda: lettered("SPZ", 48, GREEN, True),
    "led_spz_off": lambda: lettered("SPZ", 48, GREEN, False),
    "led_zs_on": lambda: lettered("ZS", 34, GREEN, True),
    "led_zs_off": lambda: lettered("ZS", 34, GREEN, False),
    "button_start": lambda: push_button("START", GREEN, "play"),
    "button_stop": lambda: push_button("STOP", RED, "stop"),
    "button_reset": lambda: push_button("RESET AWARII", AMBER, None, dark_text=True),
    "motor": motor,
    "link_idle": lambda: link("idle"),
    "link_active": lambda: link("active"),
    "link_error": lambda: link("error"),
    "clock": clock,
    "tray_idle": lambda: tray("idle"),
    "tray_recording": lambda: tray("recording"),
    "tray_paused": lambda: tray("paused"),
    "tray_error": lambda: tray("error"),
    "app": program,
}


def main():
    for name, make in PICTURES.items():
        with open(os.path.join(HERE, name + ".svg"), "w", encoding="utf-8") as f:
            f.write(make())
    with open(os.path.join(HERE, "icons.qrc"), "w", encoding="utf-8") as f:
        f.write('<!DOCTYPE RCC>\n<RCC version="1.0">\n<qresource prefix="/icons">\n')
        for name in sorted(PICTURES):
            f.write(f"    <file>{name}.svg</file>\n")
        f.write("</qresource>\n</RCC>\n")


if __name__ == "__main__":
    main()
