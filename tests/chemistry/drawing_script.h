#pragma once
// Draws a molecule as a user does: templates merged from data/struk, bonds
// dragged with the pointer (snapped as the gesture snaps them), labels,
// subscripts and charges placed with the right button at the points the
// placement rule asks for. A short script names the steps, separated by
// blanks; atoms are numbered in the order they appear:
//
//   @X,Y       a new atom at this point of the page
//   T:NAME     the template 30NAME.cfd; its ring atoms come next
//   A>DEG      a single bond from atom A at DEG degrees (counter-clockwise,
//              0 = right); also = double, # triple, ^ solid wedge and !
//              hashed wedge (narrow at A), ~ dashed; the far end is a new atom
//   A-B        a single bond from atom A to atom B
//   dA.B       "DB": the inner line beside the bond A-B, pressed on the side
//              of the drawing's centre
//   LA:TEXT    the label TEXT at atom A (_ for a blank); a label read from
//              its right end ("HOOC", "H N") is placed so that end is at A
//   sA:N       the subscript digit N after the label at A
//   cA:+       a charge beside atom A (its label, when it has one)

#include "chemistry/drawing_graph.h"
#include "chemistry/label_groups.h"
#include "commands/merge.h"
#include "document/element_kind.h"
#include "document/rounding.h"
#include "editor/palette.h"
#include "editor/pointer.h"
#include "tools/template_geometry.h"

#include <cmath>
#include <numbers>
#include <sstream>
#include <stdexcept>
#include <string>
#include <vector>

namespace veltrano::test {

class DrawingScript {
public:
    explicit DrawingScript(Editor& editor) : m_editor(editor) {}

    void run(const std::string& script)
    {
        std::istringstream steps(script);
        std::string step;
        while (steps >> step)
            runStep(step);
    }

private:
    struct Atom {
        double x, y;
        std::string label;
    };

    static constexpr double kLength = 30.0;

    void runStep(const std::string& step)
    {
        if (step[0] == '@') {
            const std::size_t comma = step.find(',');
            m_atoms.push_back({std::stod(step.substr(1, comma - 1)), std::stod(step.substr(comma + 1)), {}});
        } else if (step.starts_with("T:")) {
            insertTemplate(step.substr(2));
        } else if (step[0] == 'd') {
            const std::size_t dot = step.find('.');
            innerLine(std::stoi(step.substr(1, dot - 1)), std::stoi(step.substr(dot + 1)));
        } else if (step[0] == 'L' || step[0] == 's' || step[0] == 'c') {
            const std::size_t colon = step.find(':');
            const int atom = std::stoi(step.substr(1, colon - 1));
            const std::string value = step.substr(colon + 1);
            if (step[0] == 'L')
                label(atom, value);
            else if (step[0] == 's')
                subscript(atom, std::stoi(value));
            else
                charge(atom, value == "+");
        } else {
            bond(step);
        }
    }

    void insertTemplate(const std::string& name)
    {
        mergeFormulaFile(m_editor, std::string(VELTRANO_SOURCE_DIR) + "/data/struk/30" + name + ".cfd");
        TwiederanTimer(m_editor);
        for (const templates::Point& p : templates::templateShape(name, kLength).vertices)
            m_atoms.push_back({p.x, p.y, {}});
        m_tool.clear();
    }

    void chooseTool(const char* button)
    {
        if (m_tool != button)
            PaletteButtonClick(m_editor, button);
        m_tool = button;
    }

    static int pixel(double v) { return int(roundHalfEven(v)); }

    void drag(const Atom& from, double toX, double toY)
    {
        I1MouseDown(m_editor, PointerButton::Left, pixel(from.x), pixel(from.y));
        I1MouseMove(m_editor, pixel(toX), pixel(toY));
        I1MouseUp(m_editor, PointerButton::Left, pixel(toX), pixel(toY));
    }

    void bond(const std::string& step)
    {
        const std::size_t at = step.find_first_of(">=#^!~-");
        const int from = std::stoi(step.substr(0, at));
        const char sign = step[at];
        if (sign == '-' && at > 0) {
            chooseTool("SpeedButton1");
            const Atom& to = m_atoms.at(std::size_t(std::stoi(step.substr(at + 1))));
            drag(m_atoms.at(std::size_t(from)), to.x, to.y);
            return;
        }
        const char* buttons = ">SpeedButton1 =SpeedButton2 #SpeedButton3 ^SpeedButton9 !SpeedButton10 ~SpeedButton64";
        const std::string table(buttons);
        const std::size_t row = table.find(sign);
        chooseTool(table.substr(row + 1, table.find(' ', row) - row - 1).c_str());
        const double angle = std::stod(step.substr(at + 1)) * std::numbers::pi / 180;
        const Atom start = m_atoms.at(std::size_t(from));
        const Atom end{start.x + kLength * std::cos(angle), start.y - kLength * std::sin(angle), {}};
        drag(start, end.x, end.y);
        m_atoms.push_back(end);
    }

    void rightClick(ElementKind code, double x, double y)
    {
        if (m_tool.empty())
            chooseTool("SpeedButton1");  // a merge leaves the selection tool on
        m_editor.tools.RightLabel = code;
        I1MouseDown(m_editor, PointerButton::Right, pixel(x), pixel(y));
        I1MouseUp(m_editor, PointerButton::Right, pixel(x), pixel(y));
    }

    void innerLine(int a, int b)
    {
        const Atom &p = m_atoms.at(std::size_t(a)), &q = m_atoms.at(std::size_t(b));
        double cx = 0, cy = 0;
        for (const Atom& atom : m_atoms) {
            cx += atom.x / double(m_atoms.size());
            cy += atom.y / double(m_atoms.size());
        }
        const double mx = (p.x + q.x) / 2, my = (p.y + q.y) / 2;
        const double toward = std::hypot(cx - mx, cy - my);
        const double step = toward < 1 ? 0 : 4 / toward;
        rightClick(kind::DoubleBondMarker, mx + (cx - mx) * step, my + (cy - my) * step);
    }

    static ElementKind labelCode(const std::string& text)
    {
        for (ElementKind code = 0; code < kind::LabelCount; ++code) {
            if (LabelText(code) == text)
                return code;
        }
        throw std::invalid_argument("no label " + text);
    }

    static std::string leadingText(const std::string& text)
    {
        return std::string(chemistry::textBeforeAttachAtom(text));
    }

    void label(int atom, std::string text)
    {
        for (char& c : text)
            c = c == '_' ? ' ' : c;
        Atom& a = m_atoms.at(std::size_t(atom));
        a.label = text;
        rightClick(labelCode(text), a.x - chemistry::labelTextWidth(leadingText(text), 12), a.y);
    }

    // The label's left edge and its right end (or its blank) in pixels.
    double labelLeft(const Atom& a) const
    {
        return pixel(a.x - chemistry::labelTextWidth(leadingText(a.label), 12)) - 5;
    }

    void subscript(int atom, int digit)
    {
        const Atom& a = m_atoms.at(std::size_t(atom));
        const std::size_t blank = a.label.find(' ');
        const double anchor = labelLeft(a) + chemistry::labelTextWidth(a.label.substr(0, blank), 12);
        rightClick(ElementKind(38 + digit), anchor + 3, a.y + 3);
        m_subscripted.push_back(atom);
    }

    void charge(int atom, bool positive)
    {
        const Atom& a = m_atoms.at(std::size_t(atom));
        double x = a.x + 8;
        if (!a.label.empty())
            x = labelLeft(a) + chemistry::labelTextWidth(a.label, 12) + 5;
        for (int s : m_subscripted)
            x += s == atom ? 6 : 0;
        rightClick(positive ? 11 : 10, x, a.y - 8);
    }

    Editor& m_editor;
    std::vector<Atom> m_atoms;
    std::vector<int> m_subscripted;
    std::string m_tool;
};

}  // namespace veltrano::test
