// Building and rendering the snow crystals.
#include "flakes.hpp"

#include "canvas.hpp"

#include <cmath>

namespace paint {

namespace {

struct Pt {
    double x, y;
};

struct Segment {
    Pt a, b;
    double width;
};

// The full six-fold figure in pixels around the centre.
struct Shape {
    std::vector<Segment> lines;
    std::vector<std::vector<Pt>> plates;   // filled, outlined
    std::vector<std::vector<Pt>> rings;    // outlined only
    std::vector<Pt> rim_outer, rim_inner;  // a capped column's rim (filled between the two)
};

Pt rotate(Pt p, double a)
{
    return {p.x * std::cos(a) - p.y * std::sin(a), p.x * std::sin(a) + p.y * std::cos(a)};
}

std::vector<Pt> hexagon(Pt centre, double r, double turn)
{
    std::vector<Pt> h;
    for (int k = 0; k < 6; ++k) {
        Pt v = rotate({r, 0}, turn + k * M_PI / 3);
        h.push_back({centre.x + v.x, centre.y + v.y});
    }
    return h;
}

// A branch from `from` along `angle`, with symmetric pairs of side branches at 60 degrees.
void branch(std::vector<Segment>& out, Pt from, double angle, double length, double width, int pairs,
            double side_len, double taper, int depth)
{
    Pt to{from.x + std::cos(angle) * length, from.y + std::sin(angle) * length};
    out.push_back({from, to, width});
    if (depth <= 1 || pairs <= 0)
        return;
    for (int i = 0; i < pairs; ++i) {
        double t = 0.22 + 0.68 * (pairs == 1 ? 0.5 : static_cast<double>(i) / (pairs - 1));
        Pt at{from.x + std::cos(angle) * length * t, from.y + std::sin(angle) * length * t};
        double len = length * side_len * (1 - taper * t);
        if (len < 1.2)
            continue;
        for (double side : {-1.0, 1.0}) {
            branch(out, at, angle + side * M_PI / 3, len, std::max(0.7, width * 0.7), std::max(1, pairs / 2), side_len * 0.8,
                   taper, depth - 1);
        }
    }
}

// Shrinks the figure, strokes included, until it lies within the radius, so nothing touches
// the frame's edge.
void fit(Shape& s, double radius)
{
    double extent = 0;
    auto reach = [&](Pt p, double pad) { extent = std::max(extent, std::hypot(p.x, p.y) + pad); };
    for (const Segment& seg : s.lines) {
        reach(seg.a, seg.width / 2);
        reach(seg.b, seg.width / 2);
    }
    for (const auto* group : {&s.plates, &s.rings})
        for (const auto& poly : *group)
            for (Pt p : poly)
                reach(p, 0.5);
    for (Pt p : s.rim_outer)
        reach(p, 0.5);
    if (extent <= radius)
        return;
    const double k = radius / extent;
    for (Segment& seg : s.lines)
        seg = {{seg.a.x * k, seg.a.y * k}, {seg.b.x * k, seg.b.y * k}, seg.width};
    for (auto* group : {&s.plates, &s.rings})
        for (auto& poly : *group)
            for (Pt& p : poly)
                p = {p.x * k, p.y * k};
    for (auto* poly : {&s.rim_outer, &s.rim_inner})
        for (Pt& p : *poly)
            p = {p.x * k, p.y * k};
}

Shape build(const Crystal& c, double radius)
{
    Shape s;
    const double scale = radius / 30.0;
    const double arm = c.arm * radius, w = c.width * scale;
    std::vector<Segment> one;
    std::vector<std::vector<Pt>> arm_plates;
    if (c.broad > 0) {
        // A broad leaf: narrow at the centre, widest two thirds out, pointed tip.
        double b = c.broad * radius;
        arm_plates.push_back({{arm * 0.12, -b * 0.25}, {arm * 0.62, -b}, {arm, 0}, {arm * 0.62, b}, {arm * 0.12, b * 0.25}});
    }
    branch(one, {0, 0}, 0, arm, w, c.branches, c.branch_len, c.branch_taper, c.depth);
    if (c.tip_plate > 0)
        arm_plates.push_back(hexagon({arm * (1 - c.tip_plate * 0.5), 0}, c.tip_plate * radius, M_PI / 6));
    if (c.sectored && c.plate > 0) {
        // Ribs towards the middle of the plate's edges.
        Pt edge = rotate({c.plate * radius * std::cos(M_PI / 6) * 0.92, 0}, M_PI / 6);
        one.push_back({{0, 0}, edge, w * 0.45});
    }
    for (int k = 0; k < 6; ++k) {
        double a = -M_PI / 2 + k * M_PI / 3;
        for (const Segment& seg : one)
            s.lines.push_back({rotate(seg.a, a), rotate(seg.b, a), seg.width});
        for (const auto& plate : arm_plates) {
            std::vector<Pt> p;
            for (Pt q : plate)
                p.push_back(rotate(q, a));
            s.plates.push_back(p);
        }
    }
    if (c.plate > 0) {
        s.plates.insert(s.plates.begin(), hexagon({0, 0}, c.plate * radius, -M_PI / 2));
        for (int i = 1; i <= c.rings; ++i)
            s.rings.push_back(hexagon({0, 0}, c.plate * radius * i / (c.rings + 1.0), -M_PI / 2));
    }
    if (c.column > 0) {
        s.rim_outer = hexagon({0, 0}, c.arm * radius, -M_PI / 2);
        s.rim_inner = hexagon({0, 0}, c.arm * radius * (1 - c.column), -M_PI / 2);
    }
    fit(s, radius);
    return s;
}

void polygon(cairo_t* cr, const std::vector<Pt>& p)
{
    cairo_move_to(cr, p[0].x, p[0].y);
    for (size_t i = 1; i < p.size(); ++i)
        cairo_line_to(cr, p[i].x, p[i].y);
    cairo_close_path(cr);
}

void lines(cairo_t* cr, const Shape& s, double narrower)
{
    for (const Segment& seg : s.lines) {
        double w = seg.width - narrower;
        if (w <= 0.2)
            continue;
        cairo_move_to(cr, seg.a.x, seg.a.y);
        cairo_line_to(cr, seg.b.x, seg.b.y);
        cairo_set_line_width(cr, w);
        cairo_stroke(cr);
    }
}

// One rendering pass. The coverage pass paints white with alpha; the colour pass paints the
// same figure opaque on ice blue, so each pixel's colour is a blend of white and ice blue only.
void draw(cairo_t* cr, const Shape& s, double radius, bool coverage)
{
    const Rgb ice = hex(0xBFDDFF), pale = hex(0xDCEBFF), white = hex(0xFFFFFF);
    auto paint = [&](Rgb colour, double alpha) {
        if (coverage)
            cairo_set_source_rgba(cr, 1, 1, 1, alpha);
        else
            cairo_set_source_rgb(cr, colour.r, colour.g, colour.b);
    };
    cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
    cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
    if (coverage) {
        // Faint inner glow so the flake reads as a body of ice.
        cairo_pattern_t* p = cairo_pattern_create_radial(0, 0, 0, 0, 0, radius * 0.55);
        cairo_pattern_add_color_stop_rgba(p, 0, 1, 1, 1, 0.35);
        cairo_pattern_add_color_stop_rgba(p, 1, 1, 1, 1, 0);
        cairo_set_source(cr, p);
        cairo_paint(cr);
        cairo_pattern_destroy(p);
    }
    if (!s.rim_outer.empty()) {
        cairo_set_fill_rule(cr, CAIRO_FILL_RULE_EVEN_ODD);
        polygon(cr, s.rim_outer);
        polygon(cr, s.rim_inner);
        paint(pale, 0.6);
        cairo_fill(cr);
        cairo_set_fill_rule(cr, CAIRO_FILL_RULE_WINDING);
    }
    for (const auto& p : s.plates) {
        polygon(cr, p);
        paint(ice, 0.42);
        cairo_fill(cr);
    }
    paint(white, 1.0);
    lines(cr, s, 0);
    // Hollow the lines' insides a little: the one-pixel rims stay the brightest part.
    if (coverage) {
        cairo_set_operator(cr, CAIRO_OPERATOR_DEST_OUT);
        cairo_set_source_rgba(cr, 0, 0, 0, 0.3);
    } else {
        cairo_set_source_rgb(cr, pale.r, pale.g, pale.b);
    }
    lines(cr, s, 1.6);
    cairo_set_operator(cr, CAIRO_OPERATOR_OVER);
    cairo_set_line_width(cr, 1.0);
    for (const auto& p : s.plates) {
        polygon(cr, p);
        paint(white, 0.95);
        cairo_stroke(cr);
    }
    for (const auto* p : {&s.rim_outer, &s.rim_inner}) {
        if (p->empty())
            continue;
        polygon(cr, *p);
        paint(white, 1.0);
        cairo_stroke(cr);
    }
    cairo_set_line_width(cr, 0.8);
    for (const auto& p : s.rings) {
        polygon(cr, p);
        paint(white, 0.8);
        cairo_stroke(cr);
    }
}

} // namespace

const std::vector<Crystal>& single_crystals()
{
    //                       arm  width plate rings sect  tip   broad br  len   taper depth column
    static const std::vector<Crystal> list = {
        {0.96, 2.4, 0.00, 0, false, 0.00, 0.00, 4, 0.42, 0.6, 2, 0.0},    // stellar dendrite
        {0.98, 1.8, 0.00, 0, false, 0.00, 0.00, 9, 0.30, 0.7, 2, 0.0},    // fern-like dendrite
        {0.92, 2.2, 0.18, 0, false, 0.20, 0.00, 0, 0.00, 0.0, 1, 0.0},    // stellar plate, plates at the tips
        {0.95, 1.6, 0.00, 0, false, 0.00, 0.17, 2, 0.25, 0.5, 2, 0.0},    // broad-branched star
        {0.95, 2.0, 0.95, 0, true, 0.00, 0.00, 0, 0.00, 0.0, 1, 0.0},     // sectored plate
        {0.90, 1.4, 0.90, 2, false, 0.00, 0.00, 0, 0.00, 0.0, 1, 0.0},    // hexagonal plate with rings
        {0.86, 1.6, 0.00, 0, false, 0.00, 0.00, 0, 0.00, 0.0, 1, 0.35},   // capped column end on
        {0.97, 2.6, 0.00, 0, false, 0.00, 0.00, 3, 0.62, 0.9, 3, 0.0},    // dendrite, long inner branches
        {0.96, 2.2, 0.34, 1, false, 0.00, 0.00, 4, 0.36, 0.7, 2, 0.0},    // plate centre with dendrite arms
        {0.97, 2.0, 0.55, 0, true, 0.16, 0.00, 0, 0.00, 0.0, 1, 0.0},     // sectored plate with plated arms
        {0.99, 1.5, 0.00, 0, false, 0.00, 0.00, 12, 0.22, 0.3, 2, 0.0},   // delicate fern
        {0.95, 2.2, 0.12, 0, false, 0.00, 0.00, 1, 0.34, 0.0, 1, 0.0},    // simple star with one fork
    };
    return list;
}

const std::vector<Crystal>& sheet_crystals()
{
    static const std::vector<Crystal> list = {
        {0.95, 1.8, 0.20, 0, false, 0.00, 0.14, 3, 0.28, 0.6, 2, 0.0},    // broad arms on a small plate
        {0.97, 2.0, 0.00, 0, false, 0.00, 0.00, 5, 0.48, 0.8, 3, 0.0},    // deep dendrite
        {0.94, 1.8, 0.62, 1, false, 0.15, 0.00, 0, 0.00, 0.0, 1, 0.0},    // ringed plate with tip plates
        {0.94, 2.0, 0.00, 0, false, 0.00, 0.00, 2, 0.30, 0.4, 2, 0.30},   // capped column with a star
    };
    return list;
}

Image render_crystal(int size, const Crystal& c)
{
    const double radius = size / 2.0 - 2.0;
    const Shape shape = build(c, radius);
    Canvas coverage(size, size, CAIRO_FORMAT_ARGB32);
    Canvas colour(size, size, CAIRO_FORMAT_RGB24);
    cairo_set_source_rgb(colour.cr(), 0xBF / 255.0, 0xDD / 255.0, 1.0);
    cairo_paint(colour.cr());
    for (Canvas* canvas : {&coverage, &colour}) {
        cairo_translate(canvas->cr(), size / 2.0, size / 2.0);
        draw(canvas->cr(), shape, radius, canvas == &coverage);
    }
    Image alpha = from_surface(coverage.surface());
    Image out = from_surface(colour.surface());
    for (int y = 0; y < size; ++y)
        for (int x = 0; x < size; ++x)
            out.at(x, y)[3] = alpha.at(x, y)[3];
    return out;
}

Image render_soft_flake()
{
    const int n = soft_flake_size;
    const double c = n / 2.0, edge = n / 2.0 - 1.0;
    const double floor = std::exp(-(edge / 6.5) * (edge / 6.5));
    Image out(n, n);
    for (int y = 0; y < n; ++y) {
        for (int x = 0; x < n; ++x) {
            double dx = x + 0.5 - c, dy = y + 0.5 - c, r = std::sqrt(dx * dx + dy * dy);
            double a = r >= edge ? 0.0 : (std::exp(-(r / 6.5) * (r / 6.5)) - floor) / (1 - floor);
            a = std::min(1.0, a * 0.9 + 0.25 * std::exp(-(r / 2.5) * (r / 2.5)));
            Rgb col = mix(hex(0xFFFFFF), hex(0xD2E6FF), smooth(2, edge, r));
            uint8_t* p = out.at(x, y);
            p[0] = static_cast<uint8_t>(std::lround(col.r * 255));
            p[1] = static_cast<uint8_t>(std::lround(col.g * 255));
            p[2] = static_cast<uint8_t>(std::lround(col.b * 255));
            p[3] = static_cast<uint8_t>(std::lround(a * 255));
        }
    }
    return out;
}

FlakeSet paint_flakes()
{
    FlakeSet set;
    set.soft = render_soft_flake();
    for (const Crystal& c : single_crystals())
        set.singles.push_back(render_crystal(crystal_size, c));
    set.sheet = Image(sheet_size, sheet_size);   // all transparent, the gap included
    const auto& four = sheet_crystals();
    for (size_t i = 0; i < four.size(); ++i) {
        int fx = static_cast<int>(i % 2), fy = static_cast<int>(i / 2);
        paste(set.sheet, render_crystal(sheet_frame, four[i]), fx * (sheet_frame + 1), fy * (sheet_frame + 1));
    }
    return set;
}

void write_flakes(const FlakeSet& flakes, const std::string& folder)
{
    auto keyed = [](Image img) {
        key_transparent(img);
        return img;
    };
    write_png(folder + "/sb1.png", keyed(flakes.soft), true);
    for (size_t i = 0; i < flakes.singles.size(); ++i)
        write_png(folder + "/sf" + std::to_string(i + 1) + ".png", keyed(flakes.singles[i]), true);
    write_png(folder + "/gf1.png", keyed(flakes.sheet), true);
}

} // namespace paint
