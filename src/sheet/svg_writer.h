// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "sheet/markup.h"

// What the sheet's drawings are written with: the picture's colours and sizes, and an <svg>
// element written piece by piece.
namespace runnelex::sheet {

using Point = std::pair<double, double>;

// The window's picture at the size of a printed sheet's drawing: its text in px.
inline constexpr double kPixels = 12.0;
inline constexpr double kLine = kPixels * 1.25;
// The width of a caption per character and px of its face, to lay captions out without the
// face's metrics; a little wide, so that nothing overlaps.
inline constexpr double kCharWidth = 0.6;
inline constexpr const char* kFace = "DejaVu Sans, Verdana, sans-serif";

// The picture's colours.
inline constexpr const char* kWater = "#64b5f6";
inline constexpr const char* kFull = "#136af1"; // the surface colour made half again lighter
inline constexpr const char* kSurface = "#0d47a1";
inline constexpr const char* kCritical = "#e65100";
inline constexpr const char* kOther = "#7b1fa2";
inline constexpr const char* kWall = "#37474f";
inline constexpr const char* kAlarm = "#c62828";
inline constexpr const char* kText = "#263238";

enum class Stroke { Solid, Dash, Dot };

// The width of a caption at `pixels`, without the face's metrics.
double textWidth(std::string_view text, double pixels);
// Words joined into lines of at most `width`, a number never parted from its unit ("0.1234
// L/s" stays whole), as the picture's legend breaks them.
std::vector<std::string> wrapped(const std::string& text, double width, double pixels);

// An <svg> element written piece by piece.
class SvgWriter {
public:
    SvgWriter(double width, double height, const std::string& label) {
        out_.append("<svg class=\"drawing\" role=\"img\" aria-label=\"");
        appendEscaped(out_, label);
        out_.append("\" viewBox=\"0 0");
        number(width);
        number(height);
        out_.append("\" width=\"");
        appendCoordinate(out_, width);
        out_.append("\" height=\"");
        appendCoordinate(out_, height);
        out_.append("\" font-family=\"").append(kFace).append("\">\n");
    }

    void line(Point a, Point b, const char* colour, double width, Stroke stroke = Stroke::Solid) {
        out_.append("<line");
        attribute("x1", a.first);
        attribute("y1", a.second);
        attribute("x2", b.first);
        attribute("y2", b.second);
        pen(colour, width, stroke);
        out_.append("/>\n");
    }

    // A polygon (closed) or a polyline (open) through `points`.
    void shape(const char* className, const std::vector<Point>& points, bool closed,
               const char* fill, const char* colour, double width, Stroke stroke = Stroke::Solid) {
        out_.append(closed ? "<polygon" : "<polyline");
        if (className)
            out_.append(" class=\"").append(className).append("\"");
        out_.append(" points=\"");
        for (std::size_t i = 0; i < points.size(); ++i) {
            if (i > 0)
                out_.push_back(' ');
            appendCoordinate(out_, points[i].first);
            out_.push_back(',');
            appendCoordinate(out_, points[i].second);
        }
        out_.append("\" fill=\"").append(fill).append("\"");
        if (colour)
            pen(colour, width, stroke);
        out_.append("/>\n");
    }

    void rect(double x, double y, double w, double h, const char* fill, const char* colour,
              double width, double opacity = 1.0) {
        out_.append("<rect");
        attribute("x", x);
        attribute("y", y);
        attribute("width", w);
        attribute("height", h);
        out_.append(" fill=\"").append(fill).append("\"");
        if (opacity < 1.0)
            attribute("fill-opacity", opacity);
        if (colour)
            pen(colour, width, Stroke::Solid);
        out_.append("/>\n");
    }

    void circle(Point centre, double radius, const char* fill) {
        out_.append("<circle");
        attribute("cx", centre.first);
        attribute("cy", centre.second);
        attribute("r", radius);
        out_.append(" fill=\"").append(fill).append("\"/>\n");
    }

    // Text at its baseline; `anchor` is "start", "middle" or "end"; `turned` stands it up.
    void text(Point at, const std::string& text, const char* colour, double pixels,
              const char* anchor = "start", bool bold = false, bool turned = false) {
        out_.append("<text");
        attribute("x", at.first);
        attribute("y", at.second);
        attribute("font-size", pixels);
        out_.append(" fill=\"").append(colour).append("\"");
        if (anchor[0] != 's')
            out_.append(" text-anchor=\"").append(anchor).append("\"");
        if (bold)
            out_.append(" font-weight=\"bold\"");
        if (turned) {
            out_.append(" transform=\"rotate(-90");
            number(at.first);
            number(at.second);
            out_.append(")\"");
        }
        out_.push_back('>');
        appendEscaped(out_, text);
        out_.append("</text>\n");
    }

    std::string finish() {
        out_.append("</svg>\n");
        return std::move(out_);
    }

private:
    void number(double value) {
        out_.push_back(' ');
        appendCoordinate(out_, value);
    }
    void attribute(const char* name, double value) {
        out_.append(" ").append(name).append("=\"");
        appendCoordinate(out_, value);
        out_.push_back('"');
    }
    // Qt's dash patterns, in widths of the pen: a dash 4 on 2 off, a dot 1 on 2 off.
    void pen(const char* colour, double width, Stroke stroke) {
        out_.append(" stroke=\"").append(colour).append("\"");
        attribute("stroke-width", width);
        if (stroke == Stroke::Solid)
            return;
        const double on = stroke == Stroke::Dash ? 4.0 : 1.0;
        out_.append(" stroke-dasharray=\"");
        appendCoordinate(out_, on * width);
        number(2.0 * width);
        out_.push_back('"');
    }

    std::string out_;
};
} // namespace runnelex::sheet
