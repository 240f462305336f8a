#!/usr/bin/env python3
"""Generate the artwork of Tavrik Noise Removal.

Writes three files into assets/:
  animation.json    Lottie animation shown in the editor: a noisy loop (frames 0-149), the
                    transition to clean sound (150-299) and a clean loop (300-449)
  background_.svg   editor background with the heading and the brand mark as outlines
  warning.svg       warning triangle

Run from anywhere:  python3 tools/artwork/generate_artwork.py

Needs Debian's python3-fonttools and fonts-inter. Inter is licensed under the
SIL Open Font License 1.1, which permits embedding its glyph outlines in artwork.
The output is deterministic: every random choice comes from fixed seeds.
"""

import json
import math
import os
import random
import sys

try:
    from fontTools.pens.svgPathPen import SVGPathPen
    from fontTools.pens.transformPen import TransformPen
    from fontTools.ttLib import TTFont
except ImportError:
    # A Python outside Debian's (e.g. pyenv) does not see Debian's packages by default.
    sys.path.append("/usr/lib/python3/dist-packages")
    from fontTools.pens.svgPathPen import SVGPathPen
    from fontTools.pens.transformPen import TransformPen
    from fontTools.ttLib import TTFont

REPO = os.path.dirname(os.path.dirname(os.path.dirname(os.path.abspath(__file__))))
ASSETS = os.path.join(REPO, "assets")
FONT_DIR = "/usr/share/fonts/opentype/inter"

# ----------------------------------------------------------------------------- palette

ACCENT = "#1753FF"
ACCENT_SOFT = "#7F9BFF"
DIVIDER = "#D5D5D5"
BG_TOP = "#E3E8EB"
BG_BOTTOM = "#FCFCFC"
WHITE = "#FFFFFF"
INK = "#232B35"            # microphone body and arm
INK_LIGHT = "#3A4552"
INK_DARK = "#151A21"
STEEL = "#8C97A3"
GRILLE_LIGHT = "#F4F6F8"
GRILLE_DARK = "#C3CBD3"
GRILLE_MESH = "#97A3AF"
# Saturated but not neon, so the noise reads as colourful without fighting the blue voice.
NOISE_COLOURS = ["#FF5D7D", "#FF9F43", "#FFC531", "#2ECC9A", "#22B5E8", "#8E6CFF", "#F66BD0"]
DUST_COLOURS = ["#D5D5D5", "#C8D3E6"]

# ----------------------------------------------------------------------------- animation geometry

W, H = 1850, 1080
FPS = 30
LOOP = 150                  # both loops and the transition last this many frames
STEP = 3                    # most animated values are sampled every STEP frames

MIC_X = 600
HEAD_Y, HEAD_W, HEAD_H = 360, 200, 280
BAND_Y = HEAD_Y + HEAD_H / 2 + 6
BODY_TOP, BODY_BOTTOM, BODY_W = BAND_Y + 12, HEAD_Y + 370, 184
LOGO_CENTRE, LOGO_SIZE = (MIC_X, HEAD_Y + 236), 50
KNOB_CENTRE, KNOB_R = (MIC_X, HEAD_Y + 318), 17
YOKE_HALF, YOKE_PIVOT_Y, YOKE_BOTTOM = 114, HEAD_Y + 260, HEAD_Y + 440
ARM_JOINTS = [(MIC_X, HEAD_Y + 476), (410, HEAD_Y + 554), (505, HEAD_Y + 642)]
BASE_Y = HEAD_Y + 656

WAVE_X0, WAVE_X1, WAVE_Y, WAVE_H = 640, 1660, HEAD_Y, 165
VOICE_POINTS = 60           # the main voice line carries the noise, so it needs detail
HARMONIC_POINTS = 36

SWEEP_START, SWEEP_END = 12, 104   # frames of the transition in which the sweep crosses the canvas
SWEEP_X0, SWEEP_X1 = 120, 1760
SETTLE = 24                        # frames an element needs to turn clean once the sweep reaches it

TAU = 2 * math.pi


# ----------------------------------------------------------------------------- small maths

def lerp(a, b, t):
    return a + (b - a) * t


def clamp01(x):
    return max(0.0, min(1.0, x))


def smoothstep(x):
    x = clamp01(x)
    return x * x * (3 - 2 * x)


def cycle(t, cycles=1, phase=0.0):
    """Angle that turns a whole number of times per loop, so loops join seamlessly."""
    return TAU * cycles * t / LOOP + phase


def frames(step=STEP):
    return list(range(0, LOOP + 1, step))


class LoopNoise:
    """Smooth random wobble made of whole-cycle sines: it repeats exactly every LOOP frames."""

    def __init__(self, rng, freqs, amplitude):
        self.terms = [(f, rng.uniform(0, TAU), rng.uniform(0.6, 1.0)) for f in freqs]
        self.scale = 1.6 * amplitude / sum(a for _, _, a in self.terms)

    def __call__(self, t):
        return self.scale * sum(a * math.sin(cycle(t, f, p)) for f, p, a in self.terms)


def sweep_x(t):
    return lerp(SWEEP_X0, SWEEP_X1, smoothstep((t - SWEEP_START) / (SWEEP_END - SWEEP_START)))


def sweep_hit_time(x):
    """Frame of the transition at which the sweep passes x (sweep_x is monotonic)."""
    lo, hi = float(SWEEP_START), float(SWEEP_END)
    for _ in range(40):
        mid = (lo + hi) / 2
        if sweep_x(mid) < x:
            lo = mid
        else:
            hi = mid
    return lo


def cleanliness(x, t):
    """0 while the noise at x is untouched, 1 once the sweep has cleaned it."""
    return smoothstep((t - sweep_hit_time(x)) / SETTLE)


# ----------------------------------------------------------------------------- lottie building blocks

LINEAR = {"i": {"x": [1], "y": [1]}, "o": {"x": [0], "y": [0]}}
SINE_EASE = {"i": {"x": [0.64], "y": [1]}, "o": {"x": [0.36], "y": [0]}}


def rgba(hex_code, alpha=1.0):
    h = hex_code.lstrip("#")
    return [round(int(h[i:i + 2], 16) / 255, 4) for i in (0, 2, 4)] + [alpha]


def rnd(value):
    """Round geometry to 0.1 unit (recursively): invisible, and it halves the file size."""
    if isinstance(value, float):
        r = round(value, 1)
        return int(r) if r == int(r) else r
    if isinstance(value, (list, tuple)):
        return [rnd(v) for v in value]
    if isinstance(value, dict):
        return {k: rnd(v) for k, v in value.items()}
    return value


def static(value):
    return {"a": 0, "k": value}


def _flat(value):
    if isinstance(value, dict):
        return [x for key in ("v", "i", "o") for pt in value[key] for x in pt]
    if isinstance(value, list):
        return value
    return [value]


def _drop_redundant(keys, tolerance):
    """Drop keyframes that linear interpolation between their neighbours reproduces."""
    kept = [0]
    for index in range(1, len(keys) - 1):
        t0, v0 = keys[kept[-1]]
        t2, v2 = keys[index + 1]
        for t1, v1 in keys[kept[-1] + 1:index + 1]:
            f = (t1 - t0) / (t2 - t0)
            if any(abs(lerp(a, c, f) - b) > tolerance for a, b, c in zip(_flat(v0), _flat(v1), _flat(v2))):
                kept.append(index)
                break
    kept.append(len(keys) - 1)
    return [keys[i] for i in kept]


def keyframed(keys, easing=LINEAR):
    """Animated property from [(frame, value)]."""
    result = []
    for index, (t, v) in enumerate(keys):
        frame = {"t": t, "s": [v] if isinstance(v, (dict, int, float)) else v}
        if index < len(keys) - 1:
            frame.update(easing)
        result.append(frame)
    return {"a": 1, "k": result}


def sampled(fn, times=None, tolerance=0.1):
    """Samples fn over the loop into linear keyframes; static when nothing moves."""
    keys = [(t, rnd(fn(t))) for t in (times or frames())]
    keys = _drop_redundant(keys, tolerance)
    if len(keys) == 2 and keys[0][1] == keys[1][1]:
        return static(keys[0][1])
    return keyframed(keys)


def oscillation(base, amplitude, cycles, dimensions=1):
    """base + amplitude * cos(cycle(t, cycles)) as eased keyframes at its extremes only."""
    keys = []
    for m in range(2 * cycles + 1):
        value = rnd(base + amplitude * (-1) ** m)
        keys.append((rnd(m * LOOP / (2 * cycles)), value if dimensions == 1 else [value] * dimensions))
    return keyframed(keys, SINE_EASE)


def group_transform(position=(0, 0), scale=100, rotation=0, opacity=100, anchor=(0, 0)):
    def prop(v):
        return v if isinstance(v, dict) else static(rnd(v))

    return {"ty": "tr", "p": prop(list(position) if isinstance(position, tuple) else position),
            "a": static(rnd(list(anchor))), "s": prop([scale, scale] if isinstance(scale, (int, float)) else scale),
            "r": prop(rotation), "o": prop(opacity), "sk": static(0), "sa": static(0)}


def layer_transform():
    return {"o": static(100), "r": static(0), "p": static([0, 0, 0]),
            "a": static([0, 0, 0]), "s": static([100, 100, 100])}


def group(name, items, **transform):
    return {"ty": "gr", "nm": name, "it": items + [group_transform(**transform)]}


def path_shape(path):
    return {"ty": "sh", "ks": path if "a" in path else static(path)}


def ellipse(centre, width, height=None):
    return {"ty": "el", "p": static(rnd(list(centre))), "s": static(rnd([width, height or width]))}


def rect(centre, width, height, radius=0):
    return {"ty": "rc", "p": static(rnd(list(centre))), "s": static(rnd([width, height])), "r": static(rnd(radius))}


def fill(hex_code, opacity=100):
    return {"ty": "fl", "c": static(rgba(hex_code)), "r": 1,
            "o": opacity if isinstance(opacity, dict) else static(opacity)}


def stroke(hex_code, width, opacity=100):
    return {"ty": "st", "c": static(rgba(hex_code)), "o": static(opacity), "w": static(width),
            "lc": 2, "lj": 2, "ml": 4}


def gradient_fill(stops, start, end, radial=False):
    """stops: [(offset, hex, alpha)]; alpha stops are only written when something is translucent."""
    colour_part = [x for offset, hex_code, _ in stops for x in [offset] + rgba(hex_code)[:3]]
    alpha_part = [x for offset, _, alpha in stops for x in (offset, alpha)]
    values = colour_part + (alpha_part if any(a < 1 for _, _, a in stops) else [])
    return {"ty": "gf", "o": static(100), "r": 1, "t": 2 if radial else 1,
            "s": static(rnd(list(start))), "e": static(rnd(list(end))), "h": static(0), "a": static(0),
            "g": {"p": len(stops), "k": static(values)}}


def trim(start, end=100):
    prop = lambda v: v if isinstance(v, dict) else static(v)
    return {"ty": "tm", "s": prop(start), "e": prop(end), "o": static(0), "m": 1}


def bezier(points, closed=False, smooth=True):
    """Lottie path through points; smooth uses Catmull-Rom tangents, otherwise a polyline."""
    n = len(points)
    ins, outs = [], []
    for i in range(n):
        tx = ty = 0
        if smooth:
            prev = points[(i - 1) % n] if closed or i > 0 else points[i]
            nxt = points[(i + 1) % n] if closed or i < n - 1 else points[i]
            tx, ty = (nxt[0] - prev[0]) / 6, (nxt[1] - prev[1]) / 6
        ins.append([-tx, -ty])
        outs.append([tx, ty])
    return rnd({"i": ins, "o": outs, "v": [list(p) for p in points], "c": closed})


def circle_path(centre, r):
    k = 0.5523 * r
    cx, cy = centre
    return rnd({"i": [[-k, 0], [0, -k], [k, 0], [0, k]], "o": [[k, 0], [0, k], [-k, 0], [0, -k]],
                "v": [[cx, cy - r], [cx + r, cy], [cx, cy + r], [cx - r, cy]], "c": True})


def shape_layer(name, shapes, ip=0, op=LOOP, start=0):
    return {"ddd": 0, "ind": 0, "ty": 4, "nm": name, "sr": 1, "ks": layer_transform(),
            "ao": 0, "shapes": shapes, "ip": ip, "op": op, "st": start, "bm": 0}


def precomp_layer(name, ref, ip=0, op=LOOP, start=0):
    return {"ddd": 0, "ind": 0, "ty": 0, "nm": name, "refId": ref, "sr": 1, "ks": layer_transform(),
            "ao": 0, "w": W, "h": H, "ip": ip, "op": op, "st": start, "bm": 0}


def numbered(layers):
    for index, layer in enumerate(layers, 1):
        layer["ind"] = index
    return layers


def precomp(ref, layers):
    return {"id": ref, "nm": ref, "fr": FPS, "layers": numbered(layers)}


# ----------------------------------------------------------------------------- brand mark

def logo_bars(size):
    """Cut-outs of the Tavrik mark in a size x size badge: the crossbar of a 'T' over level-meter
    bars whose tallest, middle one is the T's stem. They never overlap, so they can be holes."""
    unit = size / 100
    width, top, bar, gap = 10, 18, 12, 8
    result = [(15, top, 70, bar)]
    for dx, h in [(-30, 18), (-15, 30), (0, 48), (15, 30), (30, 18)]:
        result.append((50 + dx - width / 2, top + bar + gap, width, h))
    return [tuple(v * unit for v in bar) for bar in result], width / 2 * unit


def logo_layer():
    cx, cy = LOGO_CENTRE
    half = LOGO_SIZE / 2
    bars, radius = logo_bars(LOGO_SIZE)
    items = [rect((cx - half + x + w / 2, cy - half + y + h / 2), w, h, radius) for x, y, w, h in bars]
    return shape_layer("Logo", [
        group("Mark", items + [fill(WHITE)]),
        group("Badge", [rect((cx, cy), LOGO_SIZE, LOGO_SIZE, LOGO_SIZE * 0.24), fill(ACCENT)]),
    ], ip=-60, op=532)


# ----------------------------------------------------------------------------- microphone

def head_half_width(y, inset):
    """Half chord at height y of the head (a rectangle with fully rounded ends), shrunk by inset."""
    r = HEAD_W / 2 - inset
    d = abs(y - HEAD_Y) - (HEAD_H - HEAD_W) / 2
    return r if d <= 0 else math.sqrt(max(r * r - d * d, 0.0))


def head_half_height(x, inset):
    r = HEAD_W / 2 - inset
    dx = abs(x - MIC_X)
    return (HEAD_H - HEAD_W) / 2 + math.sqrt(max(r * r - dx * dx, 0.0))


def grille_mesh():
    inset, pitch = 18, 14
    lines = []
    y = HEAD_Y - HEAD_H / 2 + inset + pitch / 2
    while y < HEAD_Y + HEAD_H / 2 - inset:
        hw = head_half_width(y, inset)
        if hw > 6:
            lines.append([(MIC_X - hw, y), (MIC_X + hw, y)])
        y += pitch
    x = MIC_X - HEAD_W / 2 + inset + pitch / 2
    while x < MIC_X + HEAD_W / 2 - inset:
        hh = head_half_height(x, inset)
        lines.append([(x, HEAD_Y - hh), (x, HEAD_Y + hh)])
        x += pitch
    return group("Grille Mesh", [path_shape(bezier(l, smooth=False)) for l in lines] + [stroke(GRILLE_MESH, 2, 55)])


def yoke_points(left, right):
    """U-shaped shock mount: straight sides joined by a half ellipse under the body."""
    radius_x = (right - left) / 2
    radius_y = YOKE_BOTTOM - BODY_BOTTOM + 10
    top_of_curve = YOKE_BOTTOM - radius_y
    points = [(left, YOKE_PIVOT_Y)]
    for i in range(25):
        a = math.pi * i / 24
        points.append((MIC_X - radius_x * math.cos(a), top_of_curve + radius_y * math.sin(a)))
    points.append((right, YOKE_PIVOT_Y))
    return points


def knob_outline():
    """The editor pulses this fill (key path "**.Mic.Knob Outline.**") between opacity 0 and 80.
    The opacity is keyframed, although constant, because rlottie 0.1 caches static content after
    the first frame and would then ignore a value set later."""
    return group("Knob Outline", [path_shape(circle_path(KNOB_CENTRE, KNOB_R)), stroke(WHITE, 2, 100),
                                  fill(WHITE, keyframed([(-60, 100), (532, 100)]))])


def mic_layer():
    left, right = MIC_X - YOKE_HALF, MIC_X + YOKE_HALF
    body_h = BODY_BOTTOM - BODY_TOP
    head = [rect((MIC_X, HEAD_Y), HEAD_W, HEAD_H, HEAD_W / 2)]
    shapes = [
        knob_outline(),
        group("Knob Face", [ellipse(KNOB_CENTRE, KNOB_R * 2), fill(ACCENT)]),
        group("Knob Socket", [ellipse(KNOB_CENTRE, KNOB_R * 2 + 14), fill("#11161C")]),
        group("Pivots", [ellipse((left, YOKE_PIVOT_Y), 30), ellipse((right, YOKE_PIVOT_Y), 30),
                         fill(INK_LIGHT), stroke(STEEL, 3)]),
        group("Band", [rect((MIC_X, BAND_Y), HEAD_W + 14, 26, 9), fill(INK)]),
        group("Band Highlight", [rect((MIC_X, BAND_Y - 6), HEAD_W + 2, 3, 1.5), fill(WHITE, 18)]),
        group("Head Ring", [rect((MIC_X, HEAD_Y), HEAD_W + 6, 14, 7), fill(INK)]),
        group("Head Rim", head + [stroke(INK, 7)]),
        group("Head Gloss", [rect((MIC_X - HEAD_W * 0.26, HEAD_Y), 22, HEAD_H * 0.62, 11), fill(WHITE, 55)]),
        grille_mesh(),
        group("Head", head + [gradient_fill([(0, GRILLE_LIGHT, 1), (1, GRILLE_DARK, 1)],
                                            (MIC_X - HEAD_W / 2, HEAD_Y), (MIC_X + HEAD_W / 2, HEAD_Y))]),
        group("Body Gloss", [rect((MIC_X - BODY_W * 0.3, BODY_TOP + body_h * 0.45), 14, body_h * 0.7, 7),
                             fill(WHITE, 10)]),
        group("Body", [rect((MIC_X, (BODY_TOP + BODY_BOTTOM) / 2), BODY_W, body_h, 30),
                       gradient_fill([(0, INK_LIGHT, 1), (1, INK_DARK, 1)],
                                     (MIC_X - BODY_W / 2, 0), (MIC_X + BODY_W / 2, 0))]),
        group("Yoke", [path_shape(bezier(yoke_points(left, right), smooth=False)),
                       path_shape(bezier([(MIC_X, YOKE_BOTTOM), ARM_JOINTS[0]], smooth=False)),
                       stroke(INK, 16)]),
    ]
    return shape_layer("Mic", shapes, ip=-60, op=532)


def offset_segment(a, b, distance):
    dx, dy = b[0] - a[0], b[1] - a[1]
    length = math.hypot(dx, dy)
    nx, ny = -dy / length * distance, dx / length * distance
    return [(a[0] + nx, a[1] + ny), (b[0] + nx, b[1] + ny)]


def mic_arm_layer():
    j = ARM_JOINTS
    rods = [path_shape(bezier(offset_segment(j[i], j[i + 1], 17), smooth=False)) for i in range(2)]
    beams = [path_shape(bezier([j[i], j[i + 1]], smooth=False)) for i in range(2)]
    base_x = j[2][0]
    shapes = [
        group("Hubs", [ellipse(p, 14) for p in j] + [fill(STEEL)]),
        group("Joints", [ellipse(p, 40) for p in j] + [fill(INK_LIGHT)]),
        group("Beams", beams + [stroke(INK, 18)]),
        group("Rods", rods + [stroke(STEEL, 5)]),
        group("Base", [rect((base_x, BASE_Y), 240, 24, 12), fill(INK)]),
        soft_light("Base Shadow", (base_x, BASE_Y + 18), 170, [(0, "#000000", 0.18), (1, "#000000", 0)], stretch=9),
    ]
    return shape_layer("Mic Arm", shapes, ip=-60, op=532)


# ----------------------------------------------------------------------------- backdrop

def soft_light(name, centre, radius, stops, stretch=100, opacity=100):
    """Radial glow that fades to nothing at its rim (stretch squashes it vertically)."""
    return group(name, [ellipse((0, 0), 2 * radius), gradient_fill(stops, (0, 0), (radius, 0), radial=True)],
                 position=centre, scale=[100, stretch], opacity=opacity)


def backdrop_shapes():
    """Soft white light behind the microphone and the voice; the editor's gradient shows around it."""
    return [
        soft_light("Halo", (MIC_X + 40, HEAD_Y + 140), 440,
                   [(0, WHITE, 0.9), (0.55, WHITE, 0.45), (1, WHITE, 0)]),
        soft_light("Voice Glow", ((WAVE_X0 + WAVE_X1) / 2 + 40, WAVE_Y), 620,
                   [(0, WHITE, 0.75), (0.6, WHITE, 0.35), (1, WHITE, 0)], stretch=48),
    ]


# ----------------------------------------------------------------------------- the voice

# name, amplitude, wavelength, cycles per loop, phase, width, colour, opacity
VOICE = ("Voice", 1.0, 260, 2, 0.0, 7, ACCENT, 100)
HARMONICS = [("Voice Echo", 0.66, 190, 3, 1.9, 4, ACCENT, 45),
             ("Voice Undertone", 0.4, 340, 1, 3.7, 3, ACCENT_SOFT, 70)]


def wave_xs(count):
    return [lerp(WAVE_X0, WAVE_X1, i / (count - 1)) for i in range(count)]


def voice_envelope(x, t):
    u = clamp01((x - WAVE_X0) / (WAVE_X1 - WAVE_X0))
    bell = math.sin(math.pi * u) ** 1.5
    syllables = 0.74 + 0.26 * math.sin(TAU * 1.4 * u - cycle(t))
    return WAVE_H * bell * syllables


def voice_y(x, t, line=VOICE):
    _, amplitude, wavelength, cycles, phase, *_ = line
    return WAVE_Y + amplitude * voice_envelope(x, t) * math.sin(TAU * x / wavelength - cycle(t, cycles) + phase)


def line_group(line, path):
    name, *_, width, colour, opacity = line
    return group(name, [path_shape(path), stroke(colour, width, opacity)])


def make_voice_noise(seed):
    rng = random.Random(seed)
    return [LoopNoise(rng, (7, 9, 11, 13), 26) for _ in range(VOICE_POINTS)]


def voice_layer(noise, mode):
    """mode: 'noisy', 'clean' or 'transition' (the noise leaves each point as the sweep passes)."""
    xs = wave_xs(VOICE_POINTS)

    def points(t):
        result = []
        for i, x in enumerate(xs):
            amount = {"noisy": 1.0, "clean": 0.0}.get(mode)
            if amount is None:
                amount = 1.0 - cleanliness(x, t)
            taper = 0.35 + 0.65 * math.sin(math.pi * i / (len(xs) - 1))
            result.append((x, voice_y(x, t) + amount * taper * noise[i](t)))
        return result

    return shape_layer("Voice", [line_group(VOICE, sampled(lambda t: bezier(points(t)), tolerance=0.3))])


def harmonics_layer():
    """The quieter voice lines: the same in every part, so they live in one shared precomposition."""
    xs = wave_xs(HARMONIC_POINTS)
    groups = [line_group(line, sampled(lambda t, line=line: bezier([(x, voice_y(x, t, line)) for x in xs]),
                                       tolerance=0.3))
              for line in HARMONICS]
    return shape_layer("Harmonics", groups)


# ----------------------------------------------------------------------------- colourful scribbles

SCRIBBLE_STEP = 5           # scribbles are jittery anyway; coarser sampling keeps the file small


def make_scribbles(seed):
    rng = random.Random(seed)
    scribbles = []
    for k in range(3):
        scribbles.append({"kind": "wave", "colour": NOISE_COLOURS[(2 * k + 1) % len(NOISE_COLOURS)],
                          "scale": rng.uniform(0.5, 1.15),
                          "noise": [LoopNoise(rng, (4, 5, 7), 36) for _ in range(56)]})
    for k, radius in enumerate((150, 196, 242)):
        scribbles.append({"kind": "arc", "colour": NOISE_COLOURS[(3 * k) % len(NOISE_COLOURS)],
                          "radius": radius, "noise": [LoopNoise(rng, (4, 5, 7), 12) for _ in range(22)]})
    return scribbles


def scribble_points(s, t):
    count = len(s["noise"])
    if s["kind"] == "wave":
        xs = [lerp(WAVE_X0 + 60, WAVE_X1 - 40, i / (count - 1)) for i in range(count)]
        return [(x, WAVE_Y + s["scale"] * (voice_y(x, t) - WAVE_Y) + n(t)) for x, n in zip(xs, s["noise"])]
    # Broken arcs on the room side of the microphone: noise reaching the capsule.
    result = []
    for i, n in enumerate(s["noise"]):
        a = math.radians(lerp(146, 214, i / (count - 1)))
        r = s["radius"] + n(t)
        result.append((MIC_X + r * math.cos(a), HEAD_Y + r * math.sin(a)))
    return result


def wipe(s):
    """Trim that erases a scribble from the end the sweep reaches first."""
    pts = scribble_points(s, 0)
    x_first, x_last = pts[0][0], pts[-1][0]
    times = frames(1)
    if x_first <= x_last:
        return trim(sampled(lambda t: 100 * clamp01((sweep_x(t) - x_first) / (x_last - x_first)), times))
    return trim(0, sampled(lambda t: 100 * (1 - clamp01((sweep_x(t) - x_last) / (x_first - x_last))), times))


def scribble_layer(scribbles, transition):
    groups = []
    for index, s in enumerate(scribbles):
        # Scribbles on the voice are jagged; the arcs are wobbly but smooth, like hand-drawn sound.
        smooth = s["kind"] == "arc"
        path = sampled(lambda t, s=s: bezier(scribble_points(s, t), smooth=smooth), frames(SCRIBBLE_STEP), 0.3)
        items = [path_shape(path), stroke(s["colour"], 4, 90)] + ([wipe(s)] if transition else [])
        groups.append(group("Scribble %d" % (index + 1), items))
    return shape_layer("Scribbles", groups)


# ----------------------------------------------------------------------------- particles

PARTICLE_KINDS = ["dot", "ring", "plus", "triangle", "squiggle", "dash"]
DUST_STEP = 6               # dust drifts slowly


def inside_keep_out(x, y):
    """Areas kept free of particles: the microphone with its arm, and the voice's core."""
    if abs(x - MIC_X) < 150 and HEAD_Y - 170 < y < BASE_Y + 30:
        return True
    if 360 < x < 700 and ARM_JOINTS[0][1] < y < BASE_Y + 30:
        return True
    return WAVE_X0 < x < WAVE_X1 - 80 and abs(y - WAVE_Y) < 75


def make_particles(seed, count=46, spacing=112):
    rng = random.Random(seed)
    particles = []
    for _ in range(20000):
        if len(particles) == count:
            break
        x, y = rng.uniform(150, 1710), rng.uniform(100, 990)
        if inside_keep_out(x, y) or any(math.hypot(x - p["x"], y - p["y"]) < spacing for p in particles):
            continue
        particles.append({
            "x": x, "y": y,
            "kind": PARTICLE_KINDS[len(particles) % len(PARTICLE_KINDS)],
            "colour": NOISE_COLOURS[rng.randrange(len(NOISE_COLOURS))],
            "size": rng.uniform(20, 32),
            "orbit": rng.uniform(6, 18), "orbit_cycles": rng.choice((1, 2, -1)), "phase": rng.uniform(0, TAU),
            "jitter_x": LoopNoise(rng, (6, 8, 10), 8), "jitter_y": LoopNoise(rng, (6, 8, 10), 8),
            "rotation": rng.uniform(0, 360), "spin": rng.choice((-1, 0, 1)),
            "pulse_cycles": rng.choice((2, 3, 4)),
            "dust": rng.random() < 0.5,
            "dust_colour": DUST_COLOURS[0] if rng.random() < 0.7 else DUST_COLOURS[1],
            "dust_size": rng.uniform(9, 15),
            "drift": rng.uniform(8, 16), "drift_phase": rng.uniform(0, TAU),
        })
    return particles


def particle_shape(p):
    s, colour = p["size"], p["colour"]
    kind = p["kind"]
    if kind == "dot":
        return [ellipse((0, 0), s * 0.7), fill(colour)]
    if kind == "ring":
        return [ellipse((0, 0), s), stroke(colour, 5)]
    if kind == "plus":
        h = s / 2
        return [path_shape(bezier([(-h, 0), (h, 0)], smooth=False)),
                path_shape(bezier([(0, -h), (0, h)], smooth=False)), stroke(colour, 5)]
    if kind == "triangle":
        r = s * 0.62
        pts = [(r * math.cos(a), r * math.sin(a)) for a in (-math.pi / 2, math.pi / 6, 5 * math.pi / 6)]
        return [path_shape(bezier(pts, closed=True, smooth=False)), stroke(colour, 4.5)]
    if kind == "squiggle":
        pts = [(lerp(-s * 0.8, s * 0.8, i / 12), 0.3 * s * math.sin(TAU * i / 6)) for i in range(13)]
        return [path_shape(bezier(pts)), stroke(colour, 4.5)]
    return [path_shape(bezier([(-s * 0.45, 0), (s * 0.45, 0)], smooth=False)), stroke(colour, 6)]


def noisy_position(p, t):
    a = cycle(t, p["orbit_cycles"], p["phase"])
    return [p["x"] + p["orbit"] * math.cos(a) + p["jitter_x"](t),
            p["y"] + p["orbit"] * math.sin(a) + p["jitter_y"](t)]


def dust_position(p, t):
    a = cycle(t, 1, p["drift_phase"])
    return [p["x"] + p["drift"] * math.cos(a), p["y"] + 0.6 * p["drift"] * math.sin(a)]


def noisy_particle(p, name):
    """A jittering coloured particle, identical in the noisy loop and at the start of the transition."""
    if p["spin"]:
        rotation = keyframed([(0, rnd(p["rotation"])), (LOOP, rnd(p["rotation"] + 360 * p["spin"]))])
    else:
        rotation = oscillation(p["rotation"], 18, 3)
    return group(name, particle_shape(p),
                 position=sampled(lambda t: noisy_position(p, t)),
                 rotation=rotation,
                 scale=oscillation(100, 16, p["pulse_cycles"], dimensions=2))


def particles_loop_layer(particles):
    return shape_layer("Particles", [noisy_particle(p, "Particle %d" % i) for i, p in enumerate(particles, 1)])


def particles_out_layer(particles):
    """Coloured side of the transition: each particle shrinks and fades as the sweep passes it,
    heading for the place of the dust it leaves behind."""
    groups = []
    for index, p in enumerate(particles, 1):
        base = (p["x"], p["y"])
        end = sweep_hit_time(p["x"]) + SETTLE

        def offset(t, p=p, end=end):
            tc = min(t, end)
            target = dust_position(p, tc) if p["dust"] else noisy_position(p, tc)
            return [b + cleanliness(p["x"], tc) * (d - n) for b, d, n in zip(base, target, noisy_position(p, tc))]

        fade = lambda t, p=p: 100 * (1 - cleanliness(p["x"], t))
        groups.append(group("Particle %d" % index, [noisy_particle(p, "Motion")],
                            anchor=base, position=sampled(offset, frames(1), 0.3),
                            scale=sampled(lambda t, f=fade: [f(t)] * 2, frames(1), 0.3),
                            opacity=sampled(fade, frames(1), 0.3)))
    return shape_layer("Particles", groups)


def dust_dot(p):
    return [ellipse((0, 0), p["dust_size"]), fill(p["dust_colour"])]


def dust_in_layer(particles):
    """Faded side of the transition: dust appears where the coloured particles vanish."""
    groups = []
    for index, p in enumerate(particles, 1):
        if not p["dust"]:
            continue
        clean = lambda t, p=p: cleanliness(p["x"], t)
        position = lambda t, p=p: [lerp(n, d, clean(t)) for n, d in zip(noisy_position(p, t), dust_position(p, t))]
        groups.append(group("Dust %d" % index, dust_dot(p),
                            position=sampled(position, tolerance=0.3),
                            scale=sampled(lambda t, c=clean: [100 * c(t)] * 2, frames(1), 0.3),
                            opacity=sampled(lambda t, c=clean: 100 * c(t), frames(1), 0.3)))
    return shape_layer("Dust", groups)


def dust_loop_layer(particles):
    groups = [group("Dust %d" % index, dust_dot(p),
                    position=sampled(lambda t, p=p: dust_position(p, t), frames(DUST_STEP)))
              for index, p in enumerate(particles, 1) if p["dust"]]
    return shape_layer("Dust", groups)


def sweep_layer():
    """Soft blue light that crosses the canvas while the noise is removed."""
    radius, stretch = 130, 360
    visibility = lambda t: 100 * min(smoothstep((t - SWEEP_START) / 10), smoothstep((SWEEP_END - t) / 14))
    band = soft_light("Band", sampled(lambda t: [sweep_x(t), H / 2], frames(1)), radius,
                      [(0, ACCENT, 0.16), (0.45, ACCENT, 0.08), (1, ACCENT, 0)], stretch,
                      opacity=sampled(visibility, frames(1)))
    return shape_layer("Sweep", [band])


# ----------------------------------------------------------------------------- composition

def build_animation():
    particles = make_particles(11)
    scribbles = make_scribbles(23)
    voice_noise = make_voice_noise(37)
    harmonics = lambda: precomp_layer("Harmonics", "voice_harmonics")
    backdrop = lambda: shape_layer("Backdrop", backdrop_shapes())

    # Inside every precomposition the layers keep the same stacking, so the parts match where they meet.
    assets = [
        precomp("voice_harmonics", [harmonics_layer()]),
        precomp("colored_loop", [particles_loop_layer(particles), scribble_layer(scribbles, False),
                                 voice_layer(voice_noise, "noisy"), harmonics(), backdrop()]),
        precomp("colored_full_effect", [particles_out_layer(particles), scribble_layer(scribbles, True)]),
        precomp("faded_full_effect", [sweep_layer(), voice_layer(voice_noise, "transition"), harmonics(),
                                      dust_in_layer(particles)]),
        precomp("faded_loop", [voice_layer(voice_noise, "clean"), harmonics(), dust_loop_layer(particles),
                               backdrop()]),
    ]
    layers = [
        logo_layer(),
        mic_layer(),
        mic_arm_layer(),
        precomp_layer("Colored Loop", "colored_loop", 0, LOOP, 0),
        precomp_layer("Colored Full Effect", "colored_full_effect", LOOP, 2 * LOOP, LOOP),
        precomp_layer("Faded Full Effect", "faded_full_effect", LOOP, 2 * LOOP, LOOP),
        shape_layer("Background", backdrop_shapes(), LOOP, 2 * LOOP, LOOP),
        precomp_layer("Faded Loop", "faded_loop", 2 * LOOP, 3 * LOOP, 2 * LOOP),
    ]
    return {"v": "5.9.6", "fr": FPS, "ip": 0, "op": 3 * LOOP, "w": W, "h": H,
            "nm": "Tavrik Noise Removal", "ddd": 0, "assets": assets,
            "layers": numbered(layers), "markers": []}


# ----------------------------------------------------------------------------- svg helpers

def fmt(v):
    s = "%.2f" % v
    s = s.rstrip("0").rstrip(".")
    return "0" if s in ("-0", "") else s


def load_font(weight):
    return TTFont(os.path.join(FONT_DIR, "Inter-%s.otf" % weight))


def kerning(font, left, right):
    """Pair adjustment from the font's GPOS 'kern' feature (formats 1 and 2)."""
    gpos = font["GPOS"].table
    lookups = sorted({i for fr in gpos.FeatureList.FeatureRecord if fr.FeatureTag == "kern"
                      for i in fr.Feature.LookupListIndex})
    for index in lookups:
        lookup = gpos.LookupList.Lookup[index]
        for sub in lookup.SubTable:
            if lookup.LookupType == 9:
                sub = sub.ExtSubTable
            if getattr(sub, "LookupType", 2) != 2 or left not in sub.Coverage.glyphs:
                continue
            if sub.Format == 1:
                pair_set = sub.PairSet[sub.Coverage.glyphs.index(left)]
                for record in pair_set.PairValueRecord:
                    if record.SecondGlyph == right:
                        return getattr(record.Value1, "XAdvance", 0) or 0
            else:
                c1 = sub.ClassDef1.classDefs.get(left, 0)
                c2 = sub.ClassDef2.classDefs.get(right, 0)
                return getattr(sub.Class1Record[c1].Class2Record[c2].Value1, "XAdvance", 0) or 0
    return 0


def text_advance(font, text):
    cmap, glyphs = font.getBestCmap(), font.getGlyphSet()
    names = [cmap[ord(c)] for c in text]
    return sum(glyphs[n].width for n in names) + sum(kerning(font, a, b) for a, b in zip(names, names[1:]))


def text_outline(font, text, left, baseline, size):
    """SVG path data of text set in font at size, with its baseline starting at (left, baseline)."""
    cmap, glyphs = font.getBestCmap(), font.getGlyphSet()
    scale = size / font["head"].unitsPerEm
    names = [cmap[ord(c)] for c in text]
    pen = SVGPathPen(glyphs, ntos=fmt)
    cursor = 0
    for index, name in enumerate(names):
        glyphs[name].draw(TransformPen(pen, (scale, 0, 0, -scale, left + cursor * scale, baseline)))
        cursor += glyphs[name].width
        if index + 1 < len(names):
            cursor += kerning(font, name, names[index + 1])
    return pen.getCommands()


def cap_height(font, size):
    return font["OS/2"].sCapHeight * size / font["head"].unitsPerEm


def rounded_rect_path(x, y, w, h, r, clockwise=True):
    """Closed rounded rectangle; counter-clockwise ones punch holes under either fill rule."""
    corners = [(x, y), (x + w, y), (x + w, y + h), (x, y + h)]
    return rounded_polygon(corners if clockwise else corners[::-1], r)


def logo_svg_path(x, y, size):
    """The brand mark: a rounded badge with the bars punched out."""
    bars, radius = logo_bars(size)
    parts = [rounded_rect_path(x, y, size, size, size * 0.24)]
    parts += [rounded_rect_path(x + bx, y + by, bw, bh, radius, clockwise=False) for bx, by, bw, bh in bars]
    return "".join(parts)


def svg_document(width, height, view_box, body):
    return ('<?xml version="1.0" encoding="UTF-8"?>\n'
            '<svg xmlns="http://www.w3.org/2000/svg" version="1.1" width="%s" height="%s" viewBox="%s">\n'
            '%s</svg>\n' % (width, height, view_box, body))


# ----------------------------------------------------------------------------- background svg

BG_W, BG_H = 1400, 1032
HEADING = "Tavrik Noise Removal"
HEADING_BOX = (80, 84, 340, 113)
DIVIDER_RECT = (81, 159, 1240, 1)
BRAND_BOX = (1122, 929, 1321, 985)


def heading_svg():
    font = load_font("SemiBold")
    x0, y0, x1, y1 = HEADING_BOX
    width = (x1 - x0) - 2
    size = width * font["head"].unitsPerEm / text_advance(font, HEADING)
    # Centre the capitals vertically in the box (the heading has no descenders).
    baseline = (y0 + y1) / 2 + cap_height(font, size) / 2
    return '  <path fill="%s" d="%s"/>\n' % (ACCENT, text_outline(font, HEADING, x0 + 1, baseline, size))


def divider_svg():
    """The divider with two soft drop shadows under it, drawn as translucent rectangles
    because JUCE's SVG parser ignores filters."""
    x, y, w, h = DIVIDER_RECT
    return ('  <rect x="%d" y="%d" width="%d" height="%d" fill="url(#shadowWide)"/>\n'
            '  <rect x="%d" y="%d" width="%d" height="1" fill="#000000" fill-opacity="0.05"/>\n'
            '  <rect x="%d" y="%d" width="%d" height="%d" fill="%s"/>\n'
            % (x, y + h, w, 4, x, y + h, w, x, y, w, h, DIVIDER))


def brand_svg():
    """Mark and word, right-aligned with the divider's end and centred in the brand box."""
    font = load_font("Bold")
    x0, y0, x1, y1 = BRAND_BOX
    mark, gap = 46, 12
    size = 0.62 * mark * font["head"].unitsPerEm / font["OS/2"].sCapHeight
    text_left = x1 - text_advance(font, "Tavrik") * size / font["head"].unitsPerEm
    centre = (y0 + y1) / 2
    baseline = centre + cap_height(font, size) / 2
    mark_path = logo_svg_path(text_left - gap - mark, centre - mark / 2, mark)
    word_path = text_outline(font, "Tavrik", text_left, baseline, size)
    return ('  <path fill="#000000" fill-rule="evenodd" d="%s"/>\n'
            '  <path fill="#000000" d="%s"/>\n' % (mark_path, word_path))


def build_background():
    defs = ('  <defs>\n'
            '    <linearGradient id="page" gradientUnits="userSpaceOnUse" x1="0" y1="0" x2="0" y2="%d">\n'
            '      <stop offset="0" stop-color="%s"/>\n'
            '      <stop offset="1" stop-color="%s"/>\n'
            '    </linearGradient>\n'
            '    <linearGradient id="shadowWide" gradientUnits="userSpaceOnUse" x1="0" y1="%d" x2="0" y2="%d">\n'
            '      <stop offset="0" stop-color="#000000" stop-opacity="0.06"/>\n'
            '      <stop offset="1" stop-color="#000000" stop-opacity="0"/>\n'
            '    </linearGradient>\n'
            '  </defs>\n' % (BG_H, BG_TOP, BG_BOTTOM, DIVIDER_RECT[1] + 1, DIVIDER_RECT[1] + 5))
    page = '  <rect x="0" y="0" width="%d" height="%d" fill="url(#page)"/>\n' % (BG_W, BG_H)
    body = defs + page + heading_svg() + divider_svg() + brand_svg()
    return svg_document(BG_W, BG_H, "0 0 %d %d" % (BG_W, BG_H), body)


# ----------------------------------------------------------------------------- warning svg

WARNING_SIZE = "486.463"     # written verbatim: the editor expects exactly this view box


def rounded_polygon(points, radius):
    """Path through the corners of a convex polygon, each corner replaced by a circular arc."""
    n = len(points)
    area = sum(points[i - 1][0] * points[i][1] - points[i][0] * points[i - 1][1] for i in range(n))
    sweep = 1 if area > 0 else 0        # positive area is clockwise on screen (y points down)
    segments = []
    for i in range(n):
        prev, corner, nxt = points[i - 1], points[i], points[(i + 1) % n]
        v1 = (prev[0] - corner[0], prev[1] - corner[1])
        v2 = (nxt[0] - corner[0], nxt[1] - corner[1])
        l1, l2 = math.hypot(*v1), math.hypot(*v2)
        angle = math.acos((v1[0] * v2[0] + v1[1] * v2[1]) / (l1 * l2))
        cut = radius / math.tan(angle / 2)
        start = (corner[0] + v1[0] / l1 * cut, corner[1] + v1[1] / l1 * cut)
        end = (corner[0] + v2[0] / l2 * cut, corner[1] + v2[1] / l2 * cut)
        segments.append((start, end))
    d = "M%s %s" % (fmt(segments[0][1][0]), fmt(segments[0][1][1]))
    for i in range(1, n + 1):
        start, end = segments[i % n]
        d += "L%s %sA%s %s 0 0 %d %s %s" % (fmt(start[0]), fmt(start[1]), fmt(radius), fmt(radius), sweep,
                                            fmt(end[0]), fmt(end[1]))
    return d + "Z"


def build_warning():
    s = float(WARNING_SIZE)
    radius, margin = 44, 8
    # A triangle with rounded corners is its corners' inner triangle grown by the radius;
    # size it so the visible shape, not the sharp one, fills the box.
    inner_side = s - 2 * margin - 2 * radius
    side = inner_side + 2 * math.sqrt(3) * radius
    visible_h = inner_side * math.sqrt(3) / 2 + 2 * radius
    top = (s - visible_h) / 2 - radius     # sharp apex sits 2r above the inner one
    bottom = top + side * math.sqrt(3) / 2
    cx = s / 2
    triangle = rounded_polygon([(cx, top), (cx + side / 2, bottom), (cx - side / 2, bottom)], radius)
    # Exclamation mark, cut out: a tapered stem and a round dot, centred on the triangle's mass.
    stem_top, stem_bottom, dot_y = 180, 314, 370
    wide, narrow, dot_r = 27, 18, 27
    stem = ("M%s %sA%s %s 0 0 0 %s %sL%s %sA%s %s 0 0 0 %s %sZ"
            % tuple(fmt(v) for v in (cx + wide, stem_top, wide, wide, cx - wide, stem_top,
                                     cx - narrow, stem_bottom, narrow, narrow, cx + narrow, stem_bottom)))
    dot = ("M%s %sA%s %s 0 1 0 %s %sA%s %s 0 1 0 %s %sZ"
           % tuple(fmt(v) for v in (cx + dot_r, dot_y, dot_r, dot_r, cx - dot_r, dot_y,
                                    dot_r, dot_r, cx + dot_r, dot_y)))
    body = '  <path fill="%s" fill-rule="evenodd" d="%s%s%s"/>\n' % (ACCENT, triangle, stem, dot)
    return svg_document(WARNING_SIZE, WARNING_SIZE, "0 0 %s %s" % (WARNING_SIZE, WARNING_SIZE), body)


# ----------------------------------------------------------------------------- main

def write(name, text):
    path = os.path.join(ASSETS, name)
    with open(path, "w", encoding="utf-8", newline="\n") as f:
        f.write(text)
    print("wrote %s (%d bytes)" % (os.path.relpath(path, REPO), len(text.encode("utf-8"))))


def main():
    os.makedirs(ASSETS, exist_ok=True)
    write("animation.json", json.dumps(build_animation(), separators=(",", ":")))
    write("background_.svg", build_background())
    write("warning.svg", build_warning())


if __name__ == "__main__":
    main()
