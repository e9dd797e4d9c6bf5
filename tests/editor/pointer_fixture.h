#pragma once
// An editor with an empty temp.dat for the pointer gesture tests, and
// helpers that press, move and release like the window does and read
// temp.dat back directly from the disk.

#include "document/record_file.h"
#include "document/working_file.h"
#include "editor/pointer.h"
#include "editor_fixture.h"
#include "support/file_helpers.h"

#include <gtest/gtest.h>

#include <initializer_list>
#include <string>
#include <utility>
#include <vector>

namespace veltrano::test {

struct Point {
    int x;
    int y;
};

class PointerTest : public EditorTest {
protected:
    void SetUp() override { editor.workingFile.createEmpty(); }

    // A whole left-button gesture: press, the moves in order, release at
    // the last move (or at the press when there are none).
    void drag(Point from, std::initializer_list<Point> moves, PointerButton button = PointerButton::Left)
    {
        I1MouseDown(editor, button, from.x, from.y);
        Point last = from;
        for (const Point& move : moves) {
            I1MouseMove(editor, move.x, move.y);
            last = move;
        }
        I1MouseUp(editor, button, last.x, last.y);
    }

    // A right- (or middle-) button click.
    void click(Point at, PointerButton button = PointerButton::Right)
    {
        I1MouseDown(editor, button, at.x, at.y);
        I1MouseUp(editor, button, at.x, at.y);
    }

    // Forgets what the UI port was told so far.
    void clearUi()
    {
        ui.clearLog();
        ui.changedAreas.clear();
    }

    std::string pathOf(std::string_view name) const { return editor.workingFile.pathOf(name); }

    // temp.dat as stored, read past the code under test.
    std::vector<ElementRecord> records() const
    {
        return parseRecords(fileBytes(editor.workingFile.path()));
    }
    Bytes documentBytes() const { return fileBytes(editor.workingFile.path()); }
    bool snapshotExists() const { return fileExists(pathOf(workfile::Snapshot)); }
};

// The Real6 a coordinate is stored as.
inline Real6 stored(double value)
{
    return Real6::fromDouble(value);
}

// Compares every field of a record with the stored form of the values.
inline void expectRecord(const ElementRecord& r, ElementKind kind, double x1, double y1, double x2, double y2,
                         std::int32_t color = 0)
{
    EXPECT_EQ(r.kind, kind);
    EXPECT_EQ(r.x1, stored(x1)) << r.X1() << " vs " << x1;
    EXPECT_EQ(r.y1, stored(y1)) << r.Y1() << " vs " << y1;
    EXPECT_EQ(r.x2, stored(x2)) << r.X2() << " vs " << x2;
    EXPECT_EQ(r.y2, stored(y2)) << r.Y2() << " vs " << y2;
    EXPECT_EQ(r.color, color);
}

}  // namespace veltrano::test
