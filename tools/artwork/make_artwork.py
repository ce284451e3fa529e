#!/usr/bin/env python3
"""Makes Glimmerbox's bitmap artwork.

Run from the repository root:

    python3 tools/artwork/make_artwork.py

Needs (Debian): tango-icon-theme, librsvg2-bin (rsvg-convert), python3-pil.

Every picture is either a Tango icon (public domain) rendered from its SVG
source at exactly the size it is used at, a composition of several of them,
or drawn here with PIL in the Tango style (palette, dark outline, soft
vertical gradients).

Outputs, in src/ui/artwork/:
  * one 32-bit BMP per image list: images side by side in one horizontal
    strip (image i at x = i * width), BITMAPINFOHEADER, BI_RGB, 32 bpp,
    bottom-up rows, straight (not premultiplied) alpha in the 4th byte,
    fully transparent pixels stored as 0,0,0,0.  They are meant for
    LoadImage(LR_CREATEDIBSECTION) + ImageList_Create(ILC_COLOR32).
  * glmx.ico, the application icon (16, 32, 48 as 32-bit DIBs, 256 as PNG).
Previews on light grey and on white go to tools/artwork/preview/.
"""

import io
import math
import os
import shutil
import struct
import subprocess
import sys
import xml.etree.ElementTree as ET

try:
    from PIL import Image, ImageChops, ImageDraw, ImageEnhance, ImageFilter, ImageFont
except ImportError:  # e.g. a pyenv python3 first on PATH: fall back to Debian's
    if os.path.exists("/usr/bin/python3") and os.path.realpath(sys.executable) != os.path.realpath("/usr/bin/python3") \
            and not os.environ.get("GLMX_ARTWORK_REEXEC"):
        os.environ["GLMX_ARTWORK_REEXEC"] = "1"
        os.execv("/usr/bin/python3", ["/usr/bin/python3"] + sys.argv)
    sys.exit("make_artwork.py needs PIL: apt-get install python3-pil")

HERE = os.path.dirname(os.path.abspath(__file__))
ROOT = os.path.dirname(os.path.dirname(HERE))
OUT_DIR = os.path.join(ROOT, "src", "ui", "artwork")
PREVIEW_DIR = os.path.join(HERE, "preview")
TANGO = os.environ.get("TANGO_SCALABLE", "/usr/share/icons/Tango/scalable")

SS = 8  # supersampling factor for shapes drawn here

# Tango palette
BUTTER = ("#fce94f", "#edd400", "#c4a000")
ORANGE = ("#fcaf3e", "#f57900", "#ce5c00")
CHAMELEON = ("#8ae234", "#73d216", "#4e9a06")
SKY = ("#729fcf", "#3465a4", "#204a87")
SCARLET = ("#ef2929", "#cc0000", "#a40000")
ALUMINIUM = ("#eeeeec", "#d3d7cf", "#babdb6", "#888a85", "#555753", "#2e3436")


def rgba(c, a=255):
    if isinstance(c, tuple):
        return c if len(c) == 4 else c + (a,)
    c = c.lstrip("#")
    return (int(c[0:2], 16), int(c[2:4], 16), int(c[4:6], 16), a)


# ---------------------------------------------------------------- Tango SVGs

USED_TANGO = {}  # icon -> list of uses, for the record printed at the end


def tango(icon, size, drop_ids=(), use=""):
    """Renders Tango icon 'category/name' (scalable SVG) at size x size."""
    path = os.path.join(TANGO, icon + ".svg")
    if not os.path.exists(path):
        sys.exit("missing Tango icon %s (apt-get install tango-icon-theme)" % path)
    USED_TANGO.setdefault(icon, [])
    if use and use not in USED_TANGO[icon]:
        USED_TANGO[icon].append(use)
    cmd = ["rsvg-convert", "-w", str(size), "-h", str(size), "-f", "png"]
    data = None
    if drop_ids:
        data = _svg_without(path, drop_ids)
    else:
        cmd.append(path)
    png = subprocess.run(cmd, input=data, capture_output=True, check=True).stdout
    img = Image.open(io.BytesIO(png)).convert("RGBA")
    if img.size != (size, size):
        raise RuntimeError("rsvg-convert gave %s for %s at %d" % (img.size, icon, size))
    return img


def _svg_without(path, drop_ids):
    """The SVG text with the elements of the given ids taken out."""
    for prefix, uri in [("", "http://www.w3.org/2000/svg"),
                        ("xlink", "http://www.w3.org/1999/xlink"),
                        ("sodipodi", "http://sodipodi.sourceforge.net/DTD/sodipodi-0.dtd"),
                        ("inkscape", "http://www.inkscape.org/namespaces/inkscape"),
                        ("rdf", "http://www.w3.org/1999/02/22-rdf-syntax-ns#"),
                        ("cc", "http://web.resource.org/cc/"),
                        ("dc", "http://purl.org/dc/elements/1.1/")]:
        ET.register_namespace(prefix, uri)
    tree = ET.parse(path)
    found = set()
    for parent in tree.iter():
        for child in list(parent):
            if child.get("id") in drop_ids:
                parent.remove(child)
                found.add(child.get("id"))
    missing = set(drop_ids) - found
    if missing:
        raise RuntimeError("%s has no element %s" % (path, ", ".join(sorted(missing))))
    return ET.tostring(tree.getroot())


# ------------------------------------------------------------ drawing helpers

class Drawing:
    """An RGBA picture drawn at SS times its size, in final-pixel coordinates."""

    def __init__(self, w, h):
        self.w, self.h = w, h
        self.img = Image.new("RGBA", (w * SS, h * SS), (0, 0, 0, 0))

    def _mask(self, fn):
        m = Image.new("L", self.img.size, 0)
        fn(ImageDraw.Draw(m))
        return m

    def _paint(self, mask, c1, c2=None, y0=0.0, y1=None, opacity=1.0):
        if c2 is None:
            layer = Image.new("RGBA", self.img.size, rgba(c1))
        else:
            layer = vertical_gradient(self.img.size, rgba(c1), rgba(c2), y0 * SS,
                                      (self.h if y1 is None else y1) * SS)
        a = ImageChops.multiply(layer.getchannel("A"), mask)
        if opacity < 1.0:
            a = a.point(lambda v: int(round(v * opacity)))
        layer.putalpha(a)
        self.img.alpha_composite(layer)

    @staticmethod
    def _pts(pts):
        return [(x * SS, y * SS) for x, y in pts]

    @staticmethod
    def _box(box):
        return [box[0] * SS, box[1] * SS, box[2] * SS - 1, box[3] * SS - 1]

    def polygon(self, pts, fill, fill2=None, y0=0, y1=None, outline=None, width=1.0, opacity=1.0):
        p = self._pts(pts)
        if fill is not None:
            self._paint(self._mask(lambda d: d.polygon(p, fill=255)), fill, fill2, y0, y1, opacity)
        if outline is not None:
            self.stroke(pts + [pts[0], pts[1]], outline, width, opacity)

    def stroke(self, pts, color, width=1.0, opacity=1.0):
        p = self._pts(pts)
        w = max(1, int(round(width * SS)))

        def fn(d):
            d.line(p, fill=255, width=w, joint="curve")
            r = w / 2.0
            for x, y in (p[0], p[-1]):
                d.ellipse([x - r, y - r, x + r, y + r], fill=255)
        self._paint(self._mask(fn), color, opacity=opacity)

    def ellipse(self, box, fill, fill2=None, outline=None, width=1.0, opacity=1.0):
        b = self._box(box)
        if fill is not None:
            self._paint(self._mask(lambda d: d.ellipse(b, fill=255)), fill, fill2, box[1], box[3], opacity)
        if outline is not None:
            w = max(1, int(round(width * SS)))
            self._paint(self._mask(lambda d: d.ellipse(b, outline=255, width=w)), outline, opacity=opacity)

    def rect(self, box, fill, fill2=None, radius=0.0, outline=None, width=1.0, opacity=1.0):
        b = self._box(box)
        r = radius * SS
        if fill is not None:
            self._paint(self._mask(lambda d: d.rounded_rectangle(b, r, fill=255)), fill, fill2, box[1], box[3],
                        opacity)
        if outline is not None:
            w = max(1, int(round(width * SS)))
            self._paint(self._mask(lambda d: d.rounded_rectangle(b, r, outline=255, width=w)), outline,
                        opacity=opacity)

    def glow(self, cx, cy, radius, color, strength=1.0):
        """A soft round halo."""
        m = Image.new("L", self.img.size, 0)
        r = radius * SS * 0.55
        ImageDraw.Draw(m).ellipse([cx * SS - r, cy * SS - r, cx * SS + r, cy * SS + r], fill=255)
        m = m.filter(ImageFilter.GaussianBlur(radius * SS * 0.35))
        self._paint(m, color, opacity=strength)

    def result(self):
        return downsample(self.img, (self.w, self.h))


def vertical_gradient(size, c1, c2, y0, y1):
    w, h = size
    col = Image.new("RGBA", (1, h))
    px = col.load()
    span = max(1.0, y1 - y0)
    for y in range(h):
        t = min(1.0, max(0.0, (y - y0) / span))
        px[0, y] = tuple(int(round(c1[i] + (c2[i] - c1[i]) * t)) for i in range(4))
    return col.resize((w, h), Image.NEAREST)


def downsample(img, size):
    """Area-average resize done on premultiplied colour, so edges stay clean."""
    return img.convert("RGBa").resize(size, Image.BOX).convert("RGBA")


def over(base, top, x=0, y=0):
    """A copy of base with top composited at (x, y)."""
    out = base.copy()
    layer = Image.new("RGBA", out.size, (0, 0, 0, 0))
    layer.paste(top, (x, y))
    out.alpha_composite(layer)
    return out


def blank(w, h):
    return Image.new("RGBA", (w, h), (0, 0, 0, 0))


def darker(img, factor):
    r, g, b, a = img.split()
    rgb = Image.merge("RGB", (r, g, b))
    rgb = ImageEnhance.Brightness(rgb).enhance(factor)
    out = rgb.convert("RGBA")
    out.putalpha(a)
    return out


def halo(img, color=(255, 255, 255), radius=1):
    """A thin light rim behind img so it reads on top of another picture."""
    a = img.getchannel("A").filter(ImageFilter.MaxFilter(2 * radius + 1))
    rim = Image.new("RGBA", img.size, color + (255,))
    rim.putalpha(a.point(lambda v: v * 200 // 255))
    rim.alpha_composite(img)
    return rim


# -------------------------------------------------------- pictures drawn here

def star_points(cx, cy, r_out, r_in, n=5, rot=-90.0):
    pts = []
    for i in range(2 * n):
        r = r_out if i % 2 == 0 else r_in
        a = math.radians(rot + i * 180.0 / n)
        pts.append((cx + r * math.cos(a), cy + r * math.sin(a)))
    return pts


def draw_star(size, cx, cy, r):
    """A Tango-style yellow bookmark star."""
    d = Drawing(size, size)
    pts = star_points(cx, cy, r, r * 0.48)
    d.polygon(pts, BUTTER[0], BUTTER[1], cy - r, cy + r, outline=BUTTER[2], width=max(1.0, r / 7.0))
    inner = star_points(cx, cy - r * 0.05, r * 0.55, r * 0.26)
    d.polygon(inner, "#ffffff", opacity=0.35)
    return d.result()


def draw_play_badge(size, cx, cy, r):
    """A green round start button with a white play triangle."""
    d = Drawing(size, size)
    d.ellipse([cx - r, cy - r, cx + r, cy + r], CHAMELEON[0], CHAMELEON[2], outline="#3b7604",
              width=max(1.0, r / 8.0))
    d.ellipse([cx - r * 0.78, cy - r * 0.85, cx + r * 0.78, cy + r * 0.1], "#ffffff", opacity=0.25)
    t = r * 0.5
    d.polygon([(cx - t * 0.7, cy - t), (cx + t * 1.05, cy), (cx - t * 0.7, cy + t)], "#ffffff")
    return d.result()


def draw_magnifier(size):
    """A magnifying glass with a dark rim and handle, to stand out on a globe."""
    d = Drawing(size, size)
    k = size / 24.0
    cx, cy, r = 9.5 * k, 9.5 * k, 7.0 * k
    a = math.radians(45)
    hx0, hy0 = cx + (r + 0.5 * k) * math.cos(a), cy + (r + 0.5 * k) * math.sin(a)
    hx1, hy1 = 21.5 * k, 21.5 * k
    d.stroke([(hx0, hy0), (hx1, hy1)], ALUMINIUM[5], 4.6 * k)
    d.stroke([(hx0 + 1.2 * k, hy0 + 1.2 * k), (hx1 - 0.2 * k, hy1 - 0.2 * k)], ALUMINIUM[4], 2.4 * k)
    d.stroke([(hx0 - 0.4 * k, hy0 - 0.4 * k), (hx0 + 1.4 * k, hy0 + 1.4 * k)], ALUMINIUM[5], 5.2 * k)
    d.ellipse([cx - r, cy - r, cx + r, cy + r], "#ffffff", opacity=0.72)
    d.ellipse([cx - r * 0.72, cy - r * 0.78, cx + r * 0.5, cy + r * 0.05], "#ffffff", opacity=0.55)
    d.ellipse([cx - r, cy - r, cx + r, cy + r], None, outline=ALUMINIUM[5], width=2.8 * k)
    d.ellipse([cx - r + 0.9 * k, cy - r + 0.9 * k, cx + r - 0.9 * k, cy + r - 0.9 * k], None,
              outline=ALUMINIUM[3], width=1.0 * k)
    return d.result()


def draw_chip(size):
    """A processor chip: dark package, metal pins on all sides, gold die."""
    d = Drawing(size, size)
    s = size / 36.0
    lo, hi = 8.5 * s, 27.5 * s          # package
    pin_w, pin_len = 2.0 * s, 4.5 * s
    n = 5
    step = (hi - lo - 2 * s) / n
    for i in range(n):
        c = lo + s + step * (i + 0.5)
        for box in ([c - pin_w / 2, lo - pin_len, c + pin_w / 2, lo + 1],      # top
                    [c - pin_w / 2, hi - 1, c + pin_w / 2, hi + pin_len],      # bottom
                    [lo - pin_len, c - pin_w / 2, lo + 1, c + pin_w / 2],      # left
                    [hi - 1, c - pin_w / 2, hi + pin_len, c + pin_w / 2]):     # right
            d.rect(box, ALUMINIUM[1], ALUMINIUM[3], outline=ALUMINIUM[3], width=0.6 * s)
    d.rect([lo, lo, hi, hi], ALUMINIUM[4], ALUMINIUM[5], radius=2 * s, outline="#1a1d1e", width=1.0 * s)
    d.rect([lo + 1.2 * s, lo + 1.2 * s, hi - 1.2 * s, hi - 1.2 * s], None, radius=1.2 * s,
           outline="#ffffff", width=0.7 * s, opacity=0.18)
    m0, m1 = 13 * s, 23 * s
    d.rect([m0, m0, m1, m1], BUTTER[0], BUTTER[2], radius=1 * s, outline="#8f7400", width=0.8 * s)
    d.rect([m0 + 1.6 * s, m0 + 1.6 * s, m1 - 1.6 * s, m0 + 4.2 * s], "#ffffff", radius=0.8 * s, opacity=0.45)
    d.ellipse([lo + 2 * s, hi - 4.6 * s, lo + 4.4 * s, hi - 2.2 * s], ALUMINIUM[3])
    return d.result()


def astroid(cx, cy, r, n=72):
    pts = []
    for i in range(n):
        t = 2 * math.pi * i / n
        c, s = math.cos(t), math.sin(t)
        pts.append((cx + r * c * c * c, cy + r * s * s * s))
    return pts


def draw_sparkle(d, cx, cy, r, glow=True, bold=False):
    """A four-pointed glint (an astroid) with a warm halo, onto Drawing d.

    bold: for the small icon sizes, a deeper yellow with a firmer outline."""
    if bold:
        pts = astroid(cx, cy, r)
        if glow:
            d.glow(cx, cy, r * 1.2, BUTTER[0], strength=0.45)
        d.polygon(pts, BUTTER[0], BUTTER[1], cy - r, cy + r, outline=ORANGE[2], width=max(0.8, r / 5.0))
        k = r * 0.22
        d.ellipse([cx - k, cy - k, cx + k, cy + k], "#ffffff")
        return
    if glow:
        d.glow(cx, cy, r * 1.3, BUTTER[0], strength=0.7)
    pts = astroid(cx, cy, r)
    d.polygon(pts, "#ffffff", BUTTER[0], cy - r * 0.3, cy + r, outline=BUTTER[2], width=max(0.6, r / 10.0))
    d.polygon(pts, "#ffffff", BUTTER[0], cy - r * 0.3, cy + r)
    k = r * 0.3
    d.ellipse([cx - k, cy - k, cx + k, cy + k], "#ffffff")


# Tiny pixel lettering for the 16x16 registry value pictures.
GLYPHS = {
    "a": [".##.",
          "...#",
          ".###",
          "#..#",
          ".###"],
    "b": ["#...",
          "#...",
          "###.",
          "#..#",
          "#..#",
          "#..#",
          "###."],
    "0": [".#.",
          "#.#",
          "#.#",
          "#.#",
          "#.#",
          ".#."],
    "1": [".#",
          "##",
          ".#",
          ".#",
          ".#",
          ".#"],
}


def draw_value_page(text, color):
    """A 16x16 small page with pixel lettering on it."""
    img = blank(16, 16)
    d = ImageDraw.Draw(img)
    x0, y0, x1, y1 = 2, 0, 13, 15            # page, inclusive
    fold = 4
    outline = rgba(ALUMINIUM[3])
    body = [(x0, y0), (x1 - fold, y0), (x1, y0 + fold), (x1, y1), (x0, y1)]
    d.polygon(body, fill=rgba("#ffffff"))
    # soft shading towards the bottom
    for y in range(y0 + 1, y1):
        t = (y - y0) / float(y1 - y0)
        c = tuple(int(round(255 + (238 - 255) * t)) for _ in range(3)) + (255,)
        xa = x0 + 1
        xb = x1 - 1 if y > y0 + fold else x1 - fold + (y - y0) - 1
        d.line([(xa, y), (xb, y)], fill=c)
    d.line(body + [body[0]], fill=outline)
    # the folded corner
    d.polygon([(x1 - fold, y0), (x1 - fold, y0 + fold), (x1, y0 + fold)], fill=rgba(ALUMINIUM[1]))
    d.line([(x1 - fold, y0), (x1 - fold, y0 + fold), (x1, y0 + fold)], fill=outline)
    # lettering, bottom-aligned on a common base line
    glyphs = [GLYPHS[ch] for ch in text]
    width = sum(len(g[0]) for g in glyphs) + len(glyphs) - 1
    x = x0 + 1 + (x1 - x0 - 1 - width) // 2
    base = 13
    col = rgba(color)
    for g in glyphs:
        top = base - len(g) + 1
        for gy, row in enumerate(g):
            for gx, ch in enumerate(row):
                if ch == "#":
                    img.putpixel((x + gx, top + gy), col)
        x += len(g[0]) + 1
    return img


# ------------------------------------------------------------ composed images

def globe_with_magnifier(size, use):
    """A globe with a magnifying glass in front of its lower right."""
    g = int(round(size * 0.84))
    m = int(round(size * 0.6))
    img = over(blank(size, size), tango("apps/internet-web-browser", g, use=use), 0, 0)
    return over(img, draw_magnifier(m), size - m, size - m)


def folder_with_document(size, use):
    folder = tango("places/folder", size, use=use)
    ds = int(round(size * 0.62))
    doc = halo(tango("mimetypes/text-x-generic", ds, use=use))
    return over(folder, doc, size - ds + int(size * 0.04), size - ds + int(size * 0.02))


def folder_with_star(size, use):
    folder = tango("places/folder", size, use=use)
    r = size * 0.27
    star = draw_star(size, size - r - 1.0, size - r - 2.5, r)
    return over(folder, star)


def clock_with_start(size, use):
    # appointment-new without its "new" glint (element path12511) is a plain clock
    clock = tango("actions/appointment-new", size, drop_ids=("path12511",), use=use)
    r = size * 0.24
    badge = draw_play_badge(size, size - r - 0.5, size - r - 1.5, r)
    return over(clock, badge)


def stacked_folders(icon, size, use):
    """A folder with a second, darker one behind it: a key that has sub-keys."""
    s = size - 3
    front = darker(tango(icon, s, use=use), 0.85)
    back = darker(tango(icon, s, use=use), 0.5)
    img = over(blank(size, size), back, 3, 0)
    return over(img, front, 0, 3)


def searching_picture():
    w, h = 46, 59
    page = tango("mimetypes/text-x-generic", 59, use="searching: page")
    img = over(blank(w, h), page, -6, 0)
    globe = tango("apps/internet-web-browser", 30, use="searching: globe")
    img = over(img, globe, 6, 5)
    return over(img, draw_magnifier(30), w - 31, h - 33)


def glimmer_box(size):
    """The application picture: an open cardboard box with glints above it."""
    if size <= 16:
        box = tango("mimetypes/package-x-generic", 16, use="application icon")
        base = over(blank(16, 16), box, 0, 1)
        d = Drawing(16, 16)
        draw_sparkle(d, 11.5, 4.5, 4.5, bold=True)
        return over(base, d.result())
    box = tango("mimetypes/package-x-generic", size, use="application icon")
    base = over(blank(size, size), box, 0, int(round(size * 0.06)))
    d = Drawing(size, size)
    k = size / 48.0
    bold = size <= 48
    draw_sparkle(d, 31.0 * k, 12.0 * k, 9.5 * k, bold=bold)
    draw_sparkle(d, 18.5 * k, 8.0 * k, 4.8 * k, bold=bold)
    if size >= 48:
        draw_sparkle(d, 40.0 * k, 21.0 * k, 3.4 * k, glow=False)
    return over(base, d.result())


# ---------------------------------------------------------------- the lists

def main_toolbar():
    s = 36
    return [
        tango("devices/computer", s, use="main tool bar 0 All"),
        folder_with_document(s, "main tool bar 1 Documents"),
        tango("places/user-trash", s, use="main tool bar 2 Recycle Bin"),
        folder_with_star(s, "main tool bar 3 Others"),
        tango("mimetypes/package-x-generic", s, use="main tool bar 4 Programs"),
        tango("apps/utilities-system-monitor", s, use="main tool bar 5 Processes"),
        tango("apps/preferences-system-windows", s, use="main tool bar 6 Now Running"),
        clock_with_start(s, "main tool bar 7 Auto-start"),
        tango("actions/edit-find", s, use="main tool bar 8 Search Files"),
        tango("apps/system-file-manager", s, use="main tool bar 9 Registry"),
        draw_chip(s),
        globe_with_magnifier(s, "main tool bar 11 Custom"),
    ]


def nav_normal():
    s = 32
    return [
        tango("actions/go-previous", s, use="navigation 0 Back"),
        tango("actions/go-next", s, use="navigation 1 Forward"),
        tango("actions/process-stop", s, use="navigation 2 Stop"),
        tango("actions/view-refresh", s, use="navigation 3 Refresh"),
        globe_with_magnifier(s, "navigation 4 Search site"),
    ]


def make_hot(img):
    """Brighter and a little more vivid: the picture under the mouse."""
    r, g, b, a = img.split()
    rgb = Image.merge("RGB", (r, g, b))
    rgb = ImageEnhance.Color(rgb).enhance(1.25)
    rgb = ImageEnhance.Brightness(rgb).enhance(1.12)
    rgb = Image.blend(rgb, Image.new("RGB", rgb.size, (255, 255, 255)), 0.2)
    out = rgb.convert("RGBA")
    out.putalpha(a)
    return out


def make_disabled(img):
    """Faded greyscale."""
    r, g, b, a = img.split()
    grey = Image.merge("RGB", (r, g, b)).convert("L")
    grey = grey.point(lambda v: int(round(96 + v * 0.55)))
    out = Image.merge("RGBA", (grey, grey, grey, a.point(lambda v: int(round(v * 0.7)))))
    return out


def registry_images():
    s = 16
    return [
        tango("devices/computer", s, use="registry 0 My Computer"),
        tango("places/folder", s, use="registry 1 key"),
        tango("status/folder-open", s, use="registry 2 key, selected"),
        stacked_folders("places/folder", s, "registry 3 key with sub-keys"),
        stacked_folders("status/folder-open", s, "registry 4 key with sub-keys, selected"),
        tango("apps/system-file-manager", s, use="registry 5 root key"),
        draw_value_page("ab", SCARLET[2]),
        draw_value_page("011", SKY[2]),
    ]


def device_images():
    """The hardware tree's own pictures, where the system gives no class images."""
    s = 16
    return [tango("devices/computer", s, use="devices 0 My Computer"), draw_chip(s)]


def others_state():
    return [tango("status/dialog-error", 16, use="disabled state mark")]


# ------------------------------------------------------------------ writers

def strip(images, w, h):
    out = blank(w * len(images), h)
    for i, im in enumerate(images):
        if im.size != (w, h):
            raise RuntimeError("image %d is %s, not %dx%d" % (i, im.size, w, h))
        out.paste(im, (i * w, 0))
    return out


def clean(img):
    """Straight alpha, and every fully transparent pixel 0,0,0,0."""
    img = img.convert("RGBA")
    a = img.getchannel("A")
    zero = blank(*img.size)
    return Image.composite(img, zero, a.point(lambda v: 255 if v else 0))


def dib_pixels(img):
    """Bottom-up BGRA rows."""
    w, h = img.size
    raw = img.tobytes("raw", "BGRA")
    stride = w * 4
    return b"".join(raw[y * stride:(y + 1) * stride] for y in range(h - 1, -1, -1))


def write_bmp(path, img):
    img = clean(img)
    w, h = img.size
    pixels = dib_pixels(img)
    info = struct.pack("<IiiHHIIiiII", 40, w, h, 1, 32, 0, len(pixels), 2835, 2835, 0, 0)
    head = struct.pack("<2sIHHI", b"BM", 14 + len(info) + len(pixels), 0, 0, 14 + len(info))
    with open(path, "wb") as f:
        f.write(head + info + pixels)
    return img


def read_bmp(path):
    """Reads one of our BMPs back with PIL, alpha included; checks the header."""
    with open(path, "rb") as f:
        data = f.read()
    magic, size, _, _, off = struct.unpack_from("<2sIHHI", data, 0)
    hsize, w, h, planes, bpp, comp, isize = struct.unpack_from("<IiiHHII", data, 14)
    assert magic == b"BM" and size == len(data), path
    assert hsize == 40 and planes == 1 and bpp == 32 and comp == 0 and h > 0, path
    assert off == 54 and isize == w * h * 4 and len(data) == off + isize, path
    with Image.open(path) as im:  # PIL's own reader sees the colour (not the alpha)
        assert im.size == (w, h), path
        rgb = im.convert("RGB")
    img = Image.frombuffer("RGBA", (w, h), data[off:], "raw", "BGRA", 0, -1).copy()
    px = img.load()
    for y in range(h):
        for x in range(w):
            if px[x, y][3] == 0:
                assert px[x, y] == (0, 0, 0, 0), (path, x, y)
    return img, rgb


def write_ico(path, images):
    """A multi-size ICO: 32-bit DIB entries below 256, a PNG entry for 256."""
    blobs = []
    for img in images:
        img = clean(img)
        w, h = img.size
        if w >= 256:
            buf = io.BytesIO()
            img.save(buf, "PNG", optimize=False)
            blobs.append((w, h, buf.getvalue()))
            continue
        xor = dib_pixels(img)
        mask_stride = ((w + 31) // 32) * 4
        a = img.getchannel("A").load()
        mask = bytearray()
        for y in range(h - 1, -1, -1):
            row = bytearray(mask_stride)
            for x in range(w):
                if a[x, y] == 0:
                    row[x // 8] |= 0x80 >> (x % 8)
            mask += row
        info = struct.pack("<IiiHHIIiiII", 40, w, h * 2, 1, 32, 0, len(xor) + len(mask), 0, 0, 0, 0)
        blobs.append((w, h, info + xor + bytes(mask)))
    out = struct.pack("<HHH", 0, 1, len(blobs))
    offset = 6 + 16 * len(blobs)
    for w, h, blob in blobs:
        out += struct.pack("<BBBBHHII", w % 256, h % 256, 0, 0, 1, 32, len(blob), offset)
        offset += len(blob)
    for _, _, blob in blobs:
        out += blob
    with open(path, "wb") as f:
        f.write(out)


# ---------------------------------------------------------------- previews

LIGHT_GREY = (212, 208, 200)
WHITE = (255, 255, 255)


def flat(img, bg):
    base = Image.new("RGBA", img.size, bg + (255,))
    base.alpha_composite(img)
    return base.convert("RGB")


def preview_strip(img, cell_w, name, zoom):
    """The strip at 1x and magnified, on light grey and on white, cells framed."""
    w, h = img.size
    n = w // cell_w
    gap = 6
    zw, zh = cell_w * zoom, h * zoom
    big_w = n * (zw + gap) + gap
    width = max(big_w, w + 2 * gap)
    height = 2 * (h + 2 * gap) + 2 * (zh + 2 * gap)
    out = Image.new("RGB", (width, height), (150, 150, 150))
    y = 0
    for bg in (LIGHT_GREY, WHITE):
        row = Image.new("RGB", (width, h + 2 * gap), bg)
        row.paste(flat(img, bg), (gap, gap))
        out.paste(row, (0, y))
        y += h + 2 * gap
    for bg in (LIGHT_GREY, WHITE):
        row = Image.new("RGB", (width, zh + 2 * gap), bg)
        for i in range(n):
            cell = flat(img.crop((i * cell_w, 0, (i + 1) * cell_w, h)), bg).resize((zw, zh), Image.NEAREST)
            x = gap + i * (zw + gap)
            row.paste(cell, (x, gap))
            ImageDraw.Draw(row).rectangle([x - 1, gap - 1, x + zw, gap + zh], outline=(170, 170, 170))
        out.paste(row, (0, y))
        y += zh + 2 * gap
    out.save(os.path.join(PREVIEW_DIR, name + ".png"))


def preview_toolbar(img, captions):
    """The main tool bar as it would look: pictures with captions below."""
    font = ImageFont.load_default()
    cw = 78
    n = len(captions)
    for bg, tag in ((LIGHT_GREY, "grey"), (WHITE, "white")):
        out = Image.new("RGB", (n * cw, 64), bg)
        d = ImageDraw.Draw(out)
        for i, cap in enumerate(captions):
            cell = flat(img.crop((i * 36, 0, i * 36 + 36, 36)), bg)
            out.paste(cell, (i * cw + (cw - 36) // 2, 6))
            tw = d.textlength(cap, font=font)
            d.text((i * cw + (cw - tw) / 2, 47), cap, fill=(0, 0, 0), font=font)
        out.save(os.path.join(PREVIEW_DIR, "main_toolbar_captions_%s.png" % tag))


def preview_ico(images):
    """Each size at 1x along the bottom; the small ones also magnified above."""
    gap = 8
    small = images[:-1]
    left = sum(im.size[0] * (4 if im.size[0] <= 32 else 2) + gap for im in small) + gap
    width = left + 256 + gap
    height = 256 + 2 * gap + 48 + gap
    out = Image.new("RGB", (width, 2 * height), (150, 150, 150))
    for row, bg in enumerate((LIGHT_GREY, WHITE)):
        band = Image.new("RGB", (width, height), bg)
        x = gap
        for im in small:
            z = 4 if im.size[0] <= 32 else 2
            band.paste(flat(im, bg).resize((im.size[0] * z, im.size[1] * z), Image.NEAREST), (x, gap))
            x += im.size[0] * z + gap
        x = gap
        for im in small:
            band.paste(flat(im, bg), (x, height - gap - im.size[1]))
            x += im.size[0] + gap
        band.paste(flat(images[-1], bg), (left, gap))
        out.paste(band, (0, row * height))
    out.save(os.path.join(PREVIEW_DIR, "glmx_ico.png"))


# ---------------------------------------------------------------- main

TOOLBAR_CAPTIONS = ["All", "Documents", "Recycle Bin", "Others", "Programs", "Processes", "Now Running",
                    "Auto-start", "Search Files", "Registry", "HardWare", "Custom"]


def main():
    if not shutil.which("rsvg-convert"):
        sys.exit("rsvg-convert not found: apt-get install librsvg2-bin")
    os.makedirs(OUT_DIR, exist_ok=True)
    os.makedirs(PREVIEW_DIR, exist_ok=True)

    normal = nav_normal()
    lists = [
        ("main_toolbar", 36, 36, main_toolbar(), 3),
        ("nav_normal", 32, 32, normal, 3),
        ("nav_hot", 32, 32, [make_hot(i) for i in normal], 3),
        ("nav_disabled", 32, 32, [make_disabled(i) for i in normal], 3),
        ("registry", 16, 16, registry_images(), 6),
        ("others_state", 16, 16, others_state(), 6),
        ("devices", 16, 16, device_images(), 6),
        ("searching", 46, 59, [searching_picture()], 3),
    ]
    for name, w, h, images, zoom in lists:
        path = os.path.join(OUT_DIR, name + ".bmp")
        written = write_bmp(path, strip(images, w, h))
        back, rgb = read_bmp(path)
        if back.tobytes() != written.tobytes():
            raise RuntimeError("%s does not read back as written" % path)
        if rgb.tobytes() != back.convert("RGB").tobytes():
            raise RuntimeError("%s: PIL's reader sees other colours" % path)
        for i in range(len(images)):
            cell = back.crop((i * w, 0, (i + 1) * w, h))
            if cell.getchannel("A").getbbox() is None:
                raise RuntimeError("%s: image %d is empty" % (path, i))
        preview_strip(back, w, name, zoom)
        if name == "main_toolbar":
            preview_toolbar(back, TOOLBAR_CAPTIONS)
        print("%-28s %dx%d, %d image(s) of %dx%d" % (os.path.relpath(path, ROOT), back.size[0], back.size[1],
                                                    len(images), w, h))

    ico_images = [glimmer_box(s) for s in (16, 32, 48, 256)]
    ico_path = os.path.join(OUT_DIR, "glmx.ico")
    write_ico(ico_path, ico_images)
    with Image.open(ico_path) as ico:
        sizes = sorted(ico.info["sizes"])
        if sizes != [(16, 16), (32, 32), (48, 48), (256, 256)]:
            raise RuntimeError("glmx.ico holds %s" % sizes)
        for s in (16, 32, 48, 256):
            ico.size = (s, s)
            ico.load()
            im = ico.convert("RGBA")
            if im.size != (s, s) or im.getchannel("A").getbbox() is None:
                raise RuntimeError("glmx.ico: bad %dx%d entry" % (s, s))
    preview_ico(ico_images)
    print("%-28s 16, 32, 48, 256" % os.path.relpath(ico_path, ROOT))

    print("\nTango icons used:")
    for icon in sorted(USED_TANGO):
        print("  %s.svg: %s" % (icon, "; ".join(USED_TANGO[icon])))


if __name__ == "__main__":
    main()
